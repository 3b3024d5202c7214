#include "cli/CliArguments.h"

#include <algorithm>
#include <array>

namespace vantrel::cli {

namespace {

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
std::optional<QString> optionValue(const QStringList& arguments, qsizetype& index, const QString& name) {
    const QString& argument = arguments[index];
    if (argument.startsWith(name + QLatin1Char('=')))
        return argument.mid(name.size() + 1);
    if (argument != name || index + 1 >= arguments.size())
        return std::nullopt;
    return arguments[++index];
}

} // namespace

std::pair<CliArguments, QString> CliArguments::parse(const QStringList& arguments) {
    CliArguments parsed;
    struct FolderOption {
        QString name;
        std::optional<QString>* target;
    };
    const std::array folders = {FolderOption{QStringLiteral("--config-dir"), &parsed.configDir},
                                FolderOption{QStringLiteral("--home-dir"), &parsed.homeDir}};
    const QString set = QStringLiteral("--set");
    const QString pdf = QStringLiteral("--pdf");
    const QString format = QStringLiteral("--format");
    const std::array<std::pair<QLatin1String, OutputFormat>, 4> formats = {
        std::pair{QLatin1String("text"), OutputFormat::Text},
        std::pair{QLatin1String("rtf"), OutputFormat::Rtf},
        std::pair{QLatin1String("csv"), OutputFormat::Csv},
        std::pair{QLatin1String("json"), OutputFormat::Json}};

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.help = true;
        } else if (argument == QLatin1String("--version")) {
            parsed.version = true;
        } else if (argument == QLatin1String("--save")) {
            parsed.save = true;
        } else if (argument == QLatin1String("-4") || argument == QLatin1String("-6")) {
            const settings::AddressFamily family = argument == QLatin1String("-4")
                                                       ? settings::AddressFamily::Ipv4Only
                                                       : settings::AddressFamily::Ipv6Only;
            if (parsed.addressFamily && *parsed.addressFamily != family)
                return {parsed, QStringLiteral("-4 and -6 cannot be given together")};
            parsed.addressFamily = family;
        } else if (argument == QLatin1String("--rtf")) {
            parsed.format = OutputFormat::Rtf;
        } else if (argument == format || argument.startsWith(format + QLatin1Char('='))) {
            const std::optional<QString> value = optionValue(arguments, i, format);
            const auto known = std::find_if(formats.begin(), formats.end(), [&](const auto& entry) {
                return value && *value == entry.first;
            });
            if (known == formats.end())
                return {parsed, QStringLiteral("--format takes text, rtf, csv or json")};
            parsed.format = known->second;
        } else if (const auto folder =
                       std::find_if(folders.begin(), folders.end(),
                                    [&](const FolderOption& option) {
                                        return argument == option.name ||
                                               argument.startsWith(option.name + QLatin1Char('='));
                                    });
                   folder != folders.end()) {
            const std::optional<QString> value = optionValue(arguments, i, folder->name);
            if (!value || value->isEmpty())
                return {parsed, folder->name + QStringLiteral(" needs a folder")};
            *folder->target = *value;
        } else if (argument == pdf || argument.startsWith(pdf + QLatin1Char('='))) {
            const std::optional<QString> value = optionValue(arguments, i, pdf);
            if (!value || value->isEmpty())
                return {parsed, QStringLiteral("--pdf needs a file")};
            parsed.pdf = *value;
        } else if (argument == set || argument.startsWith(set + QLatin1Char('='))) {
            const std::optional<QString> value = optionValue(arguments, i, set);
            const qsizetype equals = value ? value->indexOf(QLatin1Char('=')) : -1;
            if (equals <= 0)
                return {parsed, QStringLiteral("--set needs NAME=VALUE")};
            parsed.settings.emplace_back(value->left(equals), value->mid(equals + 1));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return {parsed, QStringLiteral("unknown option \"%1\"").arg(argument)};
        } else {
            parsed.command = argument;
            parsed.commandArguments = arguments.mid(i + 1);
            break;
        }
    }
    return {parsed, QString()};
}

} // namespace vantrel::cli
