#include "app/CVantrelApp.h"
#include "app/GuiArguments.h"
#include "text/FrameTexts.h"

#include <QApplication>
#include <cstdio>
#include <optional>

namespace {

using vantrel::app::GuiArguments;
using vantrel::output::fill;
namespace res = vantrel::output::res;

QStringList commandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// The exit status of a command line that starts no window: --help, --version or a wrong one.
std::optional<int> answerAtOnce(const GuiArguments& arguments) {
    if (arguments.helpRequested) {
        std::fputs(qPrintable(vantrel::app::guiUsage()), stdout);
        return 0;
    }
    if (!arguments.error.isEmpty()) {
        std::fputs(qPrintable(fill(res::kGuiArgumentError, arguments.error, vantrel::app::guiUsage())),
                   stderr);
        return 2;
    }
    if (arguments.versionRequested) {
        std::fputs(qPrintable(fill(res::kGuiVersion, QCoreApplication::applicationVersion())), stdout);
        return 0;
    }
    return std::nullopt;
}

bool displayNamed() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before the GUI starts, so they work without a display. Qt takes its own options (-platform,
    // -style, ...) from the command line, so what looks wrong now is judged again once it has, unless
    // there is no display to start on.
    vantrel::app::CVantrelApp::setApplicationNames();
    const GuiArguments early = vantrel::app::parseGuiArguments(commandLine(argc, argv));
    if (early.error.isEmpty() || !displayNamed())
        if (const std::optional<int> status = answerAtOnce(early))
            return *status;

    QApplication application(argc, argv);
    const GuiArguments arguments = vantrel::app::parseGuiArguments(QCoreApplication::arguments().mid(1));
    if (const std::optional<int> status = answerAtOnce(arguments))
        return *status;
    vantrel::app::CVantrelApp vantrel(arguments, QCoreApplication::applicationDirPath());
    if (!vantrel.InitInstance())
        return 1;
    return QApplication::exec();
}
