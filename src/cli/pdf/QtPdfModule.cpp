#include "cli/pdf/QtPdfModule.h"

#include "cli/pdf/QtPdfPages.h"

#include <QGuiApplication>

namespace vantrel::cli {

std::unique_ptr<QCoreApplication> QtPdfModule::createApplication(int& argc, char** argv) {
    // Pages need fonts, and so the GUI library, though never a display: without one, it draws offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::unique_ptr<PdfPages> QtPdfModule::createPages() {
    return std::make_unique<QtPdfPages>();
}

} // namespace vantrel::cli
