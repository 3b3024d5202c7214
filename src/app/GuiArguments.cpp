#include "app/GuiArguments.h"

#include <QDir>

namespace vantrel::app {

GuiArguments parseGuiArguments(const QStringList& arguments) {
    GuiArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto takeValue = [&](std::optional<QString>& target, const QString& name) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                parsed.error = QStringLiteral("%1 needs a folder").arg(name);
                return;
            }
            target = arguments[++i];
        };
        auto takeInline = [&](std::optional<QString>& target, const QString& name) {
            const QString value = argument.mid(name.size() + 1);
            if (value.isEmpty())
                parsed.error = QStringLiteral("%1 needs a folder").arg(name);
            else
                target = value;
        };
        static const QString configDir = QStringLiteral("--config-dir");
        static const QString homeDir = QStringLiteral("--home-dir");
        if (argument == configDir) {
            takeValue(parsed.configDir, configDir);
        } else if (argument.startsWith(configDir + QLatin1Char('='))) {
            takeInline(parsed.configDir, configDir);
        } else if (argument == homeDir) {
            takeValue(parsed.homeDir, homeDir);
        } else if (argument.startsWith(homeDir + QLatin1Char('='))) {
            takeInline(parsed.homeDir, homeDir);
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.helpRequested = true;
        } else if (argument == QLatin1String("--version")) {
            parsed.versionRequested = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            parsed.error = QStringLiteral("unknown option \"%1\"").arg(argument);
        } else if (parsed.host) {
            parsed.error = QStringLiteral("only one HOST may be given");
        } else {
            parsed.host = argument;
        }
        if (!parsed.error.isEmpty())
            break;
    }
    return parsed;
}

QString guiUsage() {
    return QStringLiteral(
        "Usage: vantrel [--config-dir DIR] [--home-dir DIR] [HOST]\n"
        "\n"
        "Vantrel, the interactive network diagnostic toolkit.\n"
        "\n"
        "  --config-dir DIR   use the settings store in DIR (also VANTREL_CONFIG_DIR)\n"
        "  --home-dir DIR     the program's home folder (also VANTREL_HOME; default: the\n"
        "                     folder of the program)\n"
        "  --help             show this text and end\n"
        "  --version          show the program's version and end\n"
        "  HOST               put HOST into the host box at start\n"
        "\n"
        "Sending echo requests needs ICMP sockets; when the system does not allow them, the\n"
        "program says how to allow them (see vantrel(1)).\n");
}

} // namespace vantrel::app
