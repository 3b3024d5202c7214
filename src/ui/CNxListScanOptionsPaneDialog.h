#pragma once

#include "ui/OptionPane.h"

namespace vantrel::ui {

class EntryListEditor;

// The ListScan options: the list of addresses a scan pings, and the options of its requests.
class CNxListScanOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxListScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    EntryListEditor* addressList() const { return m_addresses; }

private:
    EntryListEditor* m_addresses;
};

} // namespace vantrel::ui
