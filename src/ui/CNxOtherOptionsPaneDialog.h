#pragma once

#include "ui/OptionPane.h"

class QPushButton;

namespace vantrel::ui {

// The Other options: how the Profile Manager sorts and deletes, what the program does at start, when
// the Results and the log are purged, the settings' export, import and reset, and which addresses host
// names stand for.
class CNxOtherOptionsPaneDialog : public OptionPane {
    Q_OBJECT
public:
    CNxOtherOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent = nullptr);

    // Checks the radio button of a sort column without a click (a header click sorted the Profile
    // Manager): while the list is kept sorted the option follows, otherwise only the store takes the
    // button's value at close.
    void showProfileSortColumn(int column);
    QPushButton* button(int controlId) const;

    static constexpr int kExportId = 473;
    static constexpr int kImportId = 474;
    static constexpr int kResetGuiId = 1003;

signals:
    // The Profile Manager is to be sorted again as the options say.
    void profileSortRequested();

private:
    void enableSortChoice();
};

} // namespace vantrel::ui
