#include "cli/SeqScanCommands.h"

#include "cli/CliOperationSession.h"
#include "cli/TerminalOutput.h"
#include "ops/OperationControl.h"
#include "ops/SeqScanChecks.h"
#include "settings/LiveOptions.h"
#include "settings/SettingsModel.h"
#include "text/MessageTexts.h"

#include <optional>

namespace vantrel::cli {

namespace {

using settings::OctetField;
using settings::SeqScanGroups;
using settings::SeqScanOctets;
namespace res = output::res;

void fail(CliContext& context, const QString& text) {
    context.output.err(QStringLiteral("vantrel-cli: %1\n").arg(text));
}

void failWithCaption(CliContext& context, const QString& caption, const QString& text) {
    fail(context, caption + QStringLiteral(": ") + text);
}

// START END as typed, both full dotted addresses with the same first two octets, put through the octet
// fields' corrections (told on standard error) and the range check. std::nullopt once it has told why not.
std::optional<SeqScanOctets> typedRange(CliContext& context, const QString& start, const QString& end) {
    const QStringList first = start.split(QLatin1Char('.'));
    const QStringList last = end.split(QLatin1Char('.'));
    if (first.size() != 4 || last.size() != 4) {
        fail(context, QStringLiteral("START and END are dotted addresses of four octets"));
        return std::nullopt;
    }
    const QString caption = output::text(res::kIpAddressErrorCaption);
    SeqScanOctets typed;
    typed.texts = {first[0], first[1], first[2], first[3], last[2], last[3]};
    SeqScanOctets octets = ops::correctedOctets(
        typed, [&](OctetField, const QString& message) { failWithCaption(context, caption, message); });
    const SeqScanOctets endPrefix = ops::correctedOctets({{last[0], last[1]}});
    if (endPrefix[OctetField::Start1] != octets[OctetField::Start1] ||
        endPrefix[OctetField::Start2] != octets[OctetField::Start2]) {
        fail(context, QStringLiteral("END must share the first two octets of START"));
        return std::nullopt;
    }
    if (const std::optional<ops::OctetProblem> problem = ops::CheckSeqScanAddresses(octets)) {
        failWithCaption(context, caption, problem->boxText);
        return std::nullopt;
    }
    return octets;
}

SeqScanGroups loadGroups(CliContext& context) {
    // In the store's order, sorted when this run's options say so.
    return SeqScanGroups(context.store,
                         settings::loadSavedList(context.store, settings::section::kSeqScan, false),
                         context.options.number(settings::OptionId::SeqScanAutoSort) == 1);
}

} // namespace

int seqScanRange(CliContext& context, const QStringList& arguments) {
    const bool byGroup = arguments.size() == 2 && arguments[0] == QLatin1String("--group");
    if (byGroup) {
        SeqScanGroups groups = loadGroups(context);
        if (groups.indexOf(arguments[1]) < 0) {
            fail(context, QStringLiteral("no SeqScan group is named \"%1\"").arg(arguments[1]));
            return kExitCannotRun;
        }
        // Loaded as the pane loads a group: through the fields' corrections.
        ops::correctedOctets(groups.octets(arguments[1]), [&](OctetField, const QString& message) {
            failWithCaption(context, output::text(res::kIpAddressErrorCaption), message);
        }).toOptions(context.options);
    } else if (arguments.size() == 2) {
        const std::optional<SeqScanOctets> octets = typedRange(context, arguments[0], arguments[1]);
        if (!octets)
            return kExitUsage;
        octets->toOptions(context.options);
    } else if (!arguments.isEmpty()) {
        fail(context, QStringLiteral("seqscan takes START END, --group NAME or nothing"));
        return kExitUsage;
    }
    const auto seqScan = [](ops::OperationControl& control) { control.OnSeqScan(); };
    return CliOperationSession(context).run(QString(), seqScan, seqScan);
}

int listSeqScanGroups(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        fail(context, QStringLiteral("groups takes no arguments"));
        return kExitUsage;
    }
    const SeqScanGroups groups = loadGroups(context);
    QString listing;
    for (const QString& name : groups.names()) {
        const SeqScanOctets o = groups.octets(name);
        const QString prefix =
            o[OctetField::Start1] + QLatin1Char('.') + o[OctetField::Start2] + QLatin1Char('.');
        listing += name + QLatin1Char('\t') + prefix + o[OctetField::Start3] + QLatin1Char('.') +
                   o[OctetField::Start4] + QLatin1Char('\t') + prefix + o[OctetField::End3] +
                   QLatin1Char('.') + o[OctetField::End4] + QLatin1Char('\n');
    }
    context.output.out(listing);
    return kExitSuccess;
}

int changeSeqScanGroup(CliContext& context, const QStringList& arguments) {
    const QString verb = arguments.value(0);
    if (verb == QLatin1String("del") && arguments.size() == 2) {
        SeqScanGroups groups = loadGroups(context);
        switch (groups.remove(arguments[1])) {
        case SeqScanGroups::RemoveResult::Removed:
            return kExitSuccess;
        case SeqScanGroups::RemoveResult::NotListed:
            fail(context, QStringLiteral("no SeqScan group is named \"%1\"").arg(arguments[1]));
            return kExitFailure;
        case SeqScanGroups::RemoveResult::NotSaved:
            break;
        }
        failWithCaption(context, output::text(res::kSettingsErrorCaption),
                        output::fill(res::kGroupNotDeleted, groups.notSavedReason()));
        return kExitCannotRun;
    }
    if (verb != QLatin1String("add") || arguments.size() != 4 || arguments[1].isEmpty()) {
        fail(context, QStringLiteral("group takes add NAME START END or del NAME"));
        return kExitUsage;
    }
    const std::optional<SeqScanOctets> octets = typedRange(context, arguments[2], arguments[3]);
    if (!octets)
        return kExitUsage;
    SeqScanGroups groups = loadGroups(context);
    const SeqScanGroups::AddResult result = groups.add(arguments[1], *octets);
    if (result == SeqScanGroups::AddResult::Added)
        return kExitSuccess;
    const ops::GroupRefusal refusal = ops::groupRefusal(result, groups, arguments[1]);
    failWithCaption(context, refusal.caption, refusal.text);
    return kExitCannotRun;
}

} // namespace vantrel::cli
