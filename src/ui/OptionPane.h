#pragma once

#include "settings/OptionTable.h"
#include "text/StringResource.h"

#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace vantrel::settings {
class LiveOptions;
class OptionSet;
} // namespace vantrel::settings

namespace vantrel::ui {

class NumberBox;

// One control of an option pane, as the pane's table lists it.
struct PaneControl {
    enum class Kind {
        Number,       // a digits-only box with its spin control, bound to a number option
        Check,        // a check box with its label on the left, bound to a yes/no option
        CheckRight,   // the same with its label on the right
        Radio,        // one radio button of an option's values; `value` is the one it stands for
        Text,         // a one-line text box bound to a text option
        MultiLineText // a text box of several lines with a vertical scroll bar
    };
    Kind kind;
    settings::OptionId option;
    const output::TextTemplate<>* label;
    const output::TextTemplate<>* tip;            // none for no tip
    int value = 0;                                // radio buttons: the option's value
    const output::TextTemplate<>* unit = nullptr; // a label on the right of a number box ("Mb")
    int column = 0;                               // the column of controls in the group
    int controlId = 0; // when not the option's own control (the second radio button)
};

// A group of controls under its title, placed in a column of groups of the pane.
struct PaneGroup {
    const output::TextTemplate<>* title; // none for a group without a title
    std::span<const PaneControl> controls;
    // Groups of one column stand one below the other, in the order listed.
    int column = 0;
};

// An option pane: controls made from the option table and the pane's list of them, kept in step with
// the options in force. A change of a live control is corrected in the control (a number out of range
// is written back corrected) and reaches the options at once; an "at start" control only keeps its
// state, which the store takes at close. Each control's tip is its registered text unless the pane's
// tooltip source chooses another when the tip is about to show.
class OptionPane : public QWidget {
    Q_OBJECT
public:
    // Chooses a control's tip afresh: a text, an empty text for no tip, or nothing for the registered one.
    using ToolTipSource = std::function<std::optional<QString>(int controlId)>;

    OptionPane(settings::LiveOptions& options, QWidget* parent);

    // The name a screen reader gives a box with this label: its text without the access key's "&"
    // and the closing ":".
    static QString controlName(const QString& label);

    // Shows the values loaded from the store in every bound control. Corrections reach the options.
    void showValues(const settings::OptionSet& values);
    // What the check boxes and radio buttons show, over the options in force: the values to save.
    void collectShown(settings::OptionSet& values) const;

    // A control by its ID: the number box's edit, a check box, a button, a text box.
    QWidget* control(int controlId) const;
    NumberBox* numberBox(int controlId) const;
    QCheckBox* checkBox(int controlId) const;

    void setToolTipSource(ToolTipSource source) { m_toolTipSource = std::move(source); }
    // Registers the tip of a widget that shows under a control's ID.
    void registerTip(QWidget* widget, int controlId, const QString& text);

signals:
    // A live control changed its option (after any correction).
    void optionChanged(settings::OptionId option);

protected:
    // Builds the groups of the pane's table in their columns, which wrap onto further rows in a narrow
    // pane.
    void buildGroups(std::span<const PaneGroup> groups);
    // A column of groups, for the pane's own additions under them.
    QVBoxLayout* groupStack(int column) const;
    QGroupBox* group(const QString& title) const;
    // The grid of a column of controls in a group, made when the group has none there yet.
    QGridLayout* groupColumn(const QString& title, int column);
    // A control of the pane's own beyond its table, found by its ID, with its tip.
    void addOwnControl(QWidget* widget, int controlId, const QString& tip);
    // The same for a text box of the pane's own that holds a text option.
    void addOwnTextBox(QLineEdit* box, settings::OptionId option, const QString& tip);
    // A drop-down of a number option's values from 0, one entry each, under its label in the grid's next
    // row; live, as a number box is.
    QComboBox* addChoice(QGridLayout* grid, settings::OptionId option, const QString& label,
                         const QStringList& entries, const QString& tip);
    // Shows the tip of the control under the mouse, as the tooltip source or the registration says.
    bool eventFilter(QObject* watched, QEvent* event) override;
    settings::LiveOptions& options() const { return m_options; }

private:
    void addControl(QGridLayout* grid, int row, const PaneControl& control);
    // A check box's or radio button's label in the label column, the button beside it.
    void addButtonLabel(QGridLayout* grid, int row, const QString& text, QAbstractButton* button,
                        int controlId, const output::TextTemplate<>* tip);
    void bindNumber(NumberBox* box, const settings::OptionSpec& spec);
    void bindCheck(QCheckBox* box, const settings::OptionSpec& spec);
    void bindRadio(QAbstractButton* button, const settings::OptionSpec& spec, int value);
    void bindText(QLineEdit* box, const settings::OptionSpec& spec);
    void bindMultiLineText(QPlainTextEdit* box, const settings::OptionSpec& spec);
    void storeNumber(const settings::OptionSpec& spec, int value);

    settings::LiveOptions& m_options;
    ToolTipSource m_toolTipSource;
    // The controls bound to an option, in the order of the pane's table.
    struct Binding {
        const settings::OptionSpec* spec;
        QWidget* widget;
    };
    std::vector<Binding> m_bindings;
    std::map<int, QWidget*> m_controls;
    std::map<const QObject*, int> m_tipOwners; // widget -> control ID
    std::map<int, QString> m_tips;
    std::map<const QObject*, QAbstractButton*> m_labelButtons; // label -> its button
    std::map<QString, QGroupBox*> m_groups;
    std::map<int, QVBoxLayout*> m_stacks; // the columns of groups
    std::map<std::pair<QString, int>, QGridLayout*> m_columns;
    struct RadioChoice {
        QAbstractButton* button;
        settings::OptionId option;
        int value;
    };
    std::vector<RadioChoice> m_radios;
};

} // namespace vantrel::ui
