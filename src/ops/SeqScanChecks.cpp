#include "ops/SeqScanChecks.h"

#include "text/MessageTexts.h"

#include <algorithm>

namespace vantrel::ops {

namespace {

namespace res = output::res;

constexpr int kFirstOctetControl = 1119; // the six editable fields are 1119 to 1124 in field order

// The field's value as a signed number, an empty or unreadable field counting as 0.
int number(const QString& text) {
    return text.toInt();
}

OctetProblem problem(OctetField field, const QString& text, bool showPane) {
    return {field, text, text, showPane};
}

} // namespace

int octetFieldControl(OctetField field) {
    return kFirstOctetControl + int(field);
}

OctetCorrection CheckOctetField(const QString& text) {
    if (text.isEmpty())
        return {text, QString(), -1};
    bool isNumber = false;
    const long long value = text.toLongLong(&isNumber, 10);
    // The fields take digits only; a sign or blank read from elsewhere is no octet either.
    if (!isNumber || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return {QString(), QString(), 0};
    if (text.size() > 1 && text.startsWith(QLatin1Char('0'))) {
        qsizetype zeros = 0;
        while (zeros < text.size() && text[zeros] == QLatin1Char('0'))
            ++zeros;
        return {text.mid(zeros), output::text(res::kOctetLeadingZero), 0};
    }
    if (value > 255)
        return {text.left(2), output::text(res::kOctetRangeBalloon), 2};
    return {text, QString(), -1};
}

std::optional<OctetCorrection> limitStartOctet(OctetField field, const SeqScanOctets& octets) {
    const int start3 = number(octets[OctetField::Start3]);
    const int end3 = number(octets[OctetField::End3]);
    if (field == OctetField::Start3 && !octets[OctetField::End3].isEmpty() && start3 > end3)
        return OctetCorrection{QString::number(end3), output::text(res::kStartOctet3Order), -1};
    const int start4 = number(octets[OctetField::Start4]);
    const int end4 = number(octets[OctetField::End4]);
    if (field == OctetField::Start4 && !octets[OctetField::End4].isEmpty() && end4 < start4 && start3 >= end3)
        return OctetCorrection{QString::number(end4), output::text(res::kStartOctet4Order), -1};
    return std::nullopt;
}

std::optional<OctetProblem> CheckSeqScanAddresses(const SeqScanOctets& octets) {
    for (std::size_t i = 0; i < settings::kOctetFieldCount; ++i)
        if (octets.texts[i].isEmpty())
            return OctetProblem{OctetField(i), output::text(res::kOctetRangeBalloon),
                                output::text(res::kOctetRangeMessage), false};
    const int start3 = number(octets[OctetField::Start3]);
    const int end3 = number(octets[OctetField::End3]);
    if (end3 < start3)
        return problem(OctetField::End3, output::text(res::kEndOctet3Order), true);
    if (end3 == start3 && number(octets[OctetField::End4]) < number(octets[OctetField::Start4]))
        return problem(OctetField::End4, output::text(res::kEndOctet4Order), true);
    return std::nullopt;
}

SeqScanOctets correctedOctets(const SeqScanOctets& octets,
                              const std::function<void(OctetField, const QString&)>& report) {
    SeqScanOctets corrected;
    for (std::size_t i = 0; i < settings::kOctetFieldCount; ++i) {
        // A correction changes the text, and the changed text is checked again, as the field does.
        QString text = octets.texts[i];
        for (OctetCorrection fix = CheckOctetField(text); fix.text != text; fix = CheckOctetField(text)) {
            if (report && !fix.message.isEmpty())
                report(OctetField(i), fix.message);
            text = fix.text;
        }
        corrected.texts[i] = text;
    }
    return corrected;
}

GroupRefusal groupRefusal(settings::SeqScanGroups::AddResult result, const settings::SeqScanGroups& groups,
                          const QString& name) {
    using AddResult = settings::SeqScanGroups::AddResult;
    const QString inputError = output::text(res::kInputErrorCaption);
    switch (result) {
    case AddResult::Backslash:
        return {inputError, output::text(res::kGroupNameBackslash)};
    case AddResult::TooLong:
        return {inputError, output::text(res::kGroupNameTooLong)};
    case AddResult::ControlCharacter:
        return {inputError, output::text(res::kGroupNameControlCharacter)};
    case AddResult::NameTaken:
        return {inputError, output::fill(res::kGroupNameTaken, groups.nameTaken(name))};
    case AddResult::NotWritten:
        return {output::text(res::kSettingsErrorCaption),
                output::fill(res::kGroupNotCreated, groups.notSavedReason())};
    case AddResult::Added:
        break;
    }
    return {};
}

SeqScanRange::SeqScanRange(const SeqScanOctets& octets)
    : m_prefix(QString::number(number(octets[OctetField::Start1])) + QLatin1Char('.') +
               QString::number(number(octets[OctetField::Start2])) + QLatin1Char('.'))
    , m_third(number(octets[OctetField::Start3]))
    , m_fourth(number(octets[OctetField::Start4]))
    , m_endThird(number(octets[OctetField::End3]))
    , m_endFourth(number(octets[OctetField::End4])) {}

QString SeqScanRange::address() const {
    return m_prefix + QString::number(m_third) + QLatin1Char('.') + QString::number(m_fourth);
}

void SeqScanRange::advance() {
    if (m_fourth == 255) {
        m_fourth = 0;
        ++m_third;
    } else {
        ++m_fourth;
    }
}

} // namespace vantrel::ops
