#include "app/GuiArguments.h"

#include "text/FrameTexts.h"

#include <QDir>

namespace vantrel::app {

GuiArguments parseGuiArguments(const QStringList& arguments) {
    GuiArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto takeValue = [&](std::optional<QString>& target, const QString& name) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                parsed.error = output::fill(output::res::kArgumentNeedsFolder, name);
                return;
            }
            target = arguments[++i];
        };
        auto takeInline = [&](std::optional<QString>& target, const QString& name) {
            const QString value = argument.mid(name.size() + 1);
            if (value.isEmpty())
                parsed.error = output::fill(output::res::kArgumentNeedsFolder, name);
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
            parsed.error = output::fill(output::res::kUnknownArgument, argument);
        } else if (parsed.host) {
            parsed.error = output::text(output::res::kOneHostOnly);
        } else {
            parsed.host = argument;
        }
        if (!parsed.error.isEmpty())
            break;
    }
    return parsed;
}

QString guiUsage() {
    return output::text(output::res::kGuiUsage);
}

} // namespace vantrel::app
