// Compiled with the core library's include settings; it must not build.
#include <QtWidgets/QWidget>

int probe() {
    return sizeof(QWidget);
}
