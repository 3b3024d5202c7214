#include "app/CVantrelApp.h"
#include "app/GuiArguments.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vantrel::app::CVantrelApp::setApplicationNames();

    const vantrel::app::GuiArguments arguments =
        vantrel::app::parseGuiArguments(QCoreApplication::arguments().mid(1));
    if (arguments.helpRequested) {
        std::fputs(qPrintable(vantrel::app::guiUsage()), stdout);
        return 0;
    }
    if (!arguments.error.isEmpty()) {
        std::fprintf(stderr, "vantrel: %s\n\n%s", qPrintable(arguments.error),
                     qPrintable(vantrel::app::guiUsage()));
        return 2;
    }

    vantrel::app::CVantrelApp vantrel(arguments, QCoreApplication::applicationDirPath());
    if (!vantrel.InitInstance())
        return 1;
    return QApplication::exec();
}
