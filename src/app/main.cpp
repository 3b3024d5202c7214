#include "app/CVantrelApp.h"

int main(int argc, char* argv[]) {
    vantrel::app::CVantrelApp application(argc, argv);
    return application.run();
}
