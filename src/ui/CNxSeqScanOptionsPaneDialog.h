#pragma once

#include "ui/OptionPane.h"

#include <array>

namespace vantrel::ui {

class EntryListEditor;

// The SeqScan options: the range's octet fields, the saved groups of ranges, and the options of the
// scan's requests.
class CNxSeqScanOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxSeqScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    EntryListEditor* groupList() const { return m_groups; }
    // An octet field by its ID: 1119 to 1122 the start, 1123 and 1124 the end's last two, 1090 and
    // 1125 the end's first two (read-only copies of the start's).
    QLineEdit* octetField(int controlId) const;

    static constexpr std::array kEditableOctetIds = {1119, 1120, 1121, 1122, 1123, 1124};

private:
    EntryListEditor* m_groups = nullptr;
};

} // namespace vantrel::ui
