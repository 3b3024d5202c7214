#pragma once

#include "settings/SeqScanGroups.h"

#include <QString>
#include <functional>
#include <optional>

namespace vantrel::ops {

using settings::OctetField;
using settings::SeqScanOctets;

// The control of each octet field on the SeqScan pane, for the front end to point at.
int octetFieldControl(OctetField field);

// What the check of one octet field makes of its text while it is typed.
struct OctetCorrection {
    QString text;    // the field's text after the check (unchanged when nothing was wrong)
    QString message; // what to report on the field, or "" when the correction is silent or none
    int caret = -1;  // where the caret goes after a correction that moves it, -1 to leave it
    bool changed() const { return caret >= 0 || !message.isEmpty(); }
};

// CheckOctetField: leading zeros removed, a number above 255 cut to its first two digits, anything that
// is not a number (a sign included) emptied. An empty text stays empty.
OctetCorrection CheckOctetField(const QString& text);

// The own step of the start's third and fourth octets after they change: a start octet typed above the
// end's is set to the end's value, with the message to report on it. std::nullopt when it stands.
std::optional<OctetCorrection> limitStartOctet(OctetField field, const SeqScanOctets& octets);

// Why a range cannot be scanned: the field to report on and focus, and the texts.
struct OctetProblem {
    OctetField field = OctetField::Start1;
    QString balloonText; // on the field, when balloon tips are shown
    QString boxText;     // in the message box otherwise
    bool showPane = false;
};

// CheckSeqScanAddresses on the fields' texts: the first empty field, then the order of start and end.
std::optional<OctetProblem> CheckSeqScanAddresses(const SeqScanOctets& octets);

// Every field through CheckOctetField, as the fields do when a group or typed range is put into them.
// `report` hears each message a correction brings, with its field.
SeqScanOctets correctedOctets(const SeqScanOctets& octets,
                              const std::function<void(OctetField, const QString&)>& report = {});

// Why a group was not saved, as the message box tells it: caption and text. The name is the one given.
struct GroupRefusal {
    QString caption;
    QString text;
};
GroupRefusal groupRefusal(settings::SeqScanGroups::AddResult result, const settings::SeqScanGroups& groups,
                          const QString& name);

// The addresses of a range in scan order: the fourth octet runs to 255, then the third advances and
// the fourth starts again at 0, up to and including the end.
class SeqScanRange {
public:
    explicit SeqScanRange(const SeqScanOctets& octets);

    QString address() const; // the dotted address of the current position
    // Whether the current address is the end (or past it, which checked octets never are).
    bool atEnd() const { return m_third > m_endThird || (m_third == m_endThird && m_fourth >= m_endFourth); }
    void advance();

private:
    QString m_prefix; // the first two octets and their dots
    int m_third = 0;
    int m_fourth = 0;
    int m_endThird = 0;
    int m_endFourth = 0;
};

} // namespace vantrel::ops
