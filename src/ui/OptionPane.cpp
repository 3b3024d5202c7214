#include "ui/OptionPane.h"

#include "settings/LiveOptions.h"
#include "settings/OptionSet.h"
#include "ui/GroupFlowLayout.h"
#include "ui/NumberBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace vantrel::ui {

using settings::OptionId;
using settings::OptionSpec;
using Kind = PaneControl::Kind;

namespace {

// A table's text, or an empty text where the table has none.
QString textOf(const output::TextTemplate<>* text) {
    return text ? output::text(*text) : QString();
}

} // namespace

OptionPane::OptionPane(settings::LiveOptions& options, QWidget* parent)
    : QWidget(parent)
    , m_options(options) {}

QString OptionPane::controlName(const QString& label) {
    QString name = label.trimmed();
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void OptionPane::buildGroups(std::span<const PaneGroup> groups) {
    auto* flow = new GroupFlowLayout(this);
    flow->setContentsMargins(6, 4, 6, 4);
    flow->setSpacing(6);
    for (const PaneGroup& paneGroup : groups) {
        auto* box = new QGroupBox(textOf(paneGroup.title), this);
        auto* columns = new QHBoxLayout(box);
        columns->setContentsMargins(8, 4, 8, 4);
        columns->setSpacing(16);
        // Each column of controls has rows of its own, so a tall control does not spread the other's.
        std::map<int, int> rows;
        for (const PaneControl& control : paneGroup.controls) {
            QGridLayout*& columnGrid = m_columns[{box->title(), control.column}];
            if (!columnGrid) {
                columnGrid = new QGridLayout;
                columnGrid->setVerticalSpacing(3);
                columns->addLayout(columnGrid);
            }
            addControl(columnGrid, rows[control.column]++, control);
        }
        columns->addStretch(1);
        m_groups.emplace(box->title(), box);
        QVBoxLayout*& stack = m_stacks[paneGroup.column];
        if (!stack) {
            auto* column = new QWidget(this);
            stack = new QVBoxLayout(column);
            stack->setContentsMargins(0, 0, 0, 0);
            flow->addWidget(column);
        }
        stack->addWidget(box);
    }
}

QVBoxLayout* OptionPane::groupStack(int column) const {
    const auto found = m_stacks.find(column);
    return found == m_stacks.end() ? nullptr : found->second;
}

QGroupBox* OptionPane::group(const QString& title) const {
    const auto found = m_groups.find(title);
    return found == m_groups.end() ? nullptr : found->second;
}

QGridLayout* OptionPane::groupColumn(const QString& title, int column) {
    QGridLayout*& columnGrid = m_columns[{title, column}];
    if (!columnGrid) {
        columnGrid = new QGridLayout;
        static_cast<QHBoxLayout*>(group(title)->layout())->insertLayout(column, columnGrid);
    }
    return columnGrid;
}

void OptionPane::addControl(QGridLayout* grid, int row, const PaneControl& control) {
    const OptionSpec& spec = settings::optionSpec(control.option);
    const int id = control.controlId != 0 ? control.controlId : spec.controlId;
    const QString label = textOf(control.label);
    // A box is named after its label, as a screen reader reads it.
    const QString name = controlName(label);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::Number: {
        auto* box = new NumberBox(this);
        box->setObjectName(QStringLiteral("number%1").arg(id));
        box->lineEdit()->setObjectName(QStringLiteral("edit%1").arg(id));
        box->setSpinRange(spec.spinMin, spec.spinMax);
        box->setMaxChars(spec.keepsLastDigits ? 0 : spec.maxChars);
        box->setControlName(name);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(box, row, 1, Qt::AlignLeft);
        if (control.unit)
            grid->addWidget(new QLabel(textOf(control.unit), this), row, 2);
        bindNumber(box, spec);
        m_bindings.push_back({&spec, box});
        for (QWidget* part :
             std::initializer_list<QWidget*>{box->lineEdit(), box->upButton(), box->downButton()})
            registerTip(part, id, textOf(control.tip));
        m_controls.emplace(id, box);
        return;
    }
    case Kind::Check:
    case Kind::CheckRight: {
        // Most check boxes carry their label on the left, as a row of the pane reads; the boxes stand in
        // a column, where the number boxes start.
        auto* box = new QCheckBox(control.kind == Kind::CheckRight ? label : QString(), this);
        box->setObjectName(QStringLiteral("check%1").arg(id));
        if (control.kind == Kind::Check)
            addButtonLabel(grid, row, label, box, id, control.tip);
        else
            grid->addWidget(box, row, 0, 1, 2, Qt::AlignLeft);
        bindCheck(box, spec);
        m_bindings.push_back({&spec, box});
        widget = box;
        break;
    }
    case Kind::Radio: {
        auto* button = new QRadioButton(this);
        button->setObjectName(QStringLiteral("radio%1").arg(id));
        addButtonLabel(grid, row, label, button, id, control.tip);
        bindRadio(button, spec, control.value);
        widget = button;
        break;
    }
    case Kind::Text: {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("edit%1").arg(id));
        box->setAccessibleName(name);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(box, row, 1, 1, 2);
        bindText(box, spec);
        m_bindings.push_back({&spec, box});
        widget = box;
        break;
    }
    case Kind::MultiLineText: {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QStringLiteral("edit%1").arg(id));
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        box->setMinimumWidth(220);
        box->setMaximumHeight(box->fontMetrics().lineSpacing() * 4 + 10);
        box->setAccessibleName(name);
        grid->addWidget(new QLabel(label, this), row, 0, Qt::AlignTop);
        grid->addWidget(box, row, 1, 1, 2);
        bindMultiLineText(box, spec);
        m_bindings.push_back({&spec, box});
        widget = box;
        break;
    }
    }
    registerTip(widget, id, textOf(control.tip));
    m_controls.emplace(id, widget);
}

void OptionPane::addButtonLabel(QGridLayout* grid, int row, const QString& text, QAbstractButton* button,
                                int controlId, const output::TextTemplate<>* tip) {
    auto* label = new QLabel(text, this);
    label->setBuddy(button);
    button->setAccessibleName(controlName(text));
    grid->addWidget(label, row, 0);
    grid->addWidget(button, row, 1, Qt::AlignLeft);
    // A click on the label clicks the button, as on a button's own caption.
    m_labelButtons.emplace(label, button);
    registerTip(label, controlId, textOf(tip));
}

void OptionPane::storeNumber(const OptionSpec& spec, int value) {
    if (spec.takesEffect == settings::TakesEffect::Live) {
        m_options.setNumber(spec.id, value);
        emit optionChanged(spec.id);
    }
}

void OptionPane::bindNumber(NumberBox* box, const OptionSpec& spec) {
    connect(box, &NumberBox::textChanged, this, [this, box, &spec](const QString& text) {
        // A correction is written back into the box; its own change notification then stores it.
        const QString corrected = settings::correctedBoxText(spec, text);
        if (corrected != text) {
            box->setText(corrected);
            return;
        }
        storeNumber(spec, settings::boxNumber(text));
    });
}

void OptionPane::bindCheck(QCheckBox* box, const OptionSpec& spec) {
    // Each click turns the option over; the box shows the option as the program sets it otherwise.
    connect(box, &QCheckBox::clicked, this,
            [this, &spec] { storeNumber(spec, m_options.isOn(spec.id) ? 0 : 1); });
}

void OptionPane::bindRadio(QAbstractButton* button, const OptionSpec& spec, int value) {
    m_radios.push_back({button, spec.id, value});
    connect(button, &QAbstractButton::clicked, this, [this, &spec, value] { storeNumber(spec, value); });
}

void OptionPane::bindText(QLineEdit* box, const OptionSpec& spec) {
    if (spec.maxChars > 0)
        box->setMaxLength(spec.maxChars);
    connect(box, &QLineEdit::textChanged, this, [this, &spec](const QString& text) {
        if (spec.takesEffect == settings::TakesEffect::Live) {
            m_options.setText(spec.id, text);
            emit optionChanged(spec.id);
        }
    });
}

void OptionPane::bindMultiLineText(QPlainTextEdit* box, const OptionSpec& spec) {
    connect(box, &QPlainTextEdit::textChanged, this, [this, box, &spec] {
        const QString text = box->toPlainText();
        const QString corrected = settings::correctedText(spec, text);
        if (corrected != text) {
            // What typing or pasting brings beyond the limit is dropped, the caret kept where it was.
            const int caret = std::min(box->textCursor().position(), int(corrected.size()));
            box->setPlainText(corrected);
            QTextCursor cursor = box->textCursor();
            cursor.setPosition(caret);
            box->setTextCursor(cursor);
            return;
        }
        if (spec.takesEffect == settings::TakesEffect::Live) {
            m_options.setText(spec.id, text);
            emit optionChanged(spec.id);
        }
    });
}

void OptionPane::showValues(const settings::OptionSet& values) {
    for (const Binding& binding : m_bindings) {
        const OptionId id = binding.spec->id;
        if (auto* number = qobject_cast<NumberBox*>(binding.widget))
            number->setText(QString::number(values.number(id)));
        else if (auto* check = qobject_cast<QCheckBox*>(binding.widget))
            check->setChecked(values.isOn(id));
        else if (auto* choice = qobject_cast<QComboBox*>(binding.widget))
            choice->setCurrentIndex(settings::correctedNumber(*binding.spec, values.number(id)));
        else if (auto* line = qobject_cast<QLineEdit*>(binding.widget))
            line->setText(values.text(id));
        else if (auto* lines = qobject_cast<QPlainTextEdit*>(binding.widget);
                 lines && lines->toPlainText() != values.text(id))
            lines->setPlainText(values.text(id));
    }
    for (const RadioChoice& radio : m_radios)
        radio.button->setChecked(values.number(radio.option) == radio.value);
}

void OptionPane::collectShown(settings::OptionSet& values) const {
    // A live box agrees with its option, whose own number is kept; an "at start" box may not.
    for (const Binding& binding : m_bindings) {
        const auto* check = qobject_cast<const QCheckBox*>(binding.widget);
        if (check && values.isOn(binding.spec->id) != check->isChecked())
            values.setNumber(binding.spec->id, check->isChecked() ? 1 : 0);
    }
    for (const RadioChoice& radio : m_radios)
        if (radio.button->isChecked())
            values.setNumber(radio.option, radio.value);
}

QWidget* OptionPane::control(int controlId) const {
    const auto found = m_controls.find(controlId);
    if (found == m_controls.end())
        return nullptr;
    if (auto* number = qobject_cast<NumberBox*>(found->second))
        return number->lineEdit();
    return found->second;
}

NumberBox* OptionPane::numberBox(int controlId) const {
    const auto found = m_controls.find(controlId);
    return found == m_controls.end() ? nullptr : qobject_cast<NumberBox*>(found->second);
}

QCheckBox* OptionPane::checkBox(int controlId) const {
    return qobject_cast<QCheckBox*>(control(controlId));
}

void OptionPane::addOwnTextBox(QLineEdit* box, settings::OptionId option, const QString& tip) {
    const OptionSpec& spec = settings::optionSpec(option);
    box->setObjectName(QStringLiteral("edit%1").arg(spec.controlId));
    bindText(box, spec);
    m_bindings.push_back({&spec, box});
    addOwnControl(box, spec.controlId, tip);
}

QComboBox* OptionPane::addChoice(QGridLayout* grid, OptionId option, const QString& label,
                                 const QStringList& entries, const QString& tip) {
    const OptionSpec& spec = settings::optionSpec(option);
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("choice%1").arg(spec.controlId));
    box->addItems(entries);
    box->setAccessibleName(controlName(label));
    auto* caption = new QLabel(label, this);
    caption->setBuddy(box);
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1, Qt::AlignLeft);
    // Shown or chosen, an entry's index is the option's number.
    connect(box, &QComboBox::currentIndexChanged, this, [this, &spec](int index) {
        if (index >= 0)
            storeNumber(spec, index);
    });
    m_bindings.push_back({&spec, box});
    registerTip(caption, spec.controlId, tip);
    addOwnControl(box, spec.controlId, tip);
    return box;
}

void OptionPane::registerTip(QWidget* widget, int controlId, const QString& text) {
    m_tipOwners[widget] = controlId;
    m_tips[controlId] = text;
    widget->installEventFilter(this);
}

void OptionPane::addOwnControl(QWidget* widget, int controlId, const QString& tip) {
    m_controls.emplace(controlId, widget);
    registerTip(widget, controlId, tip);
}

bool OptionPane::eventFilter(QObject* watched, QEvent* event) {
    // Enter in a box of several lines does not break the line: released, it runs the Ping command, as
    // anywhere in the window.
    if (event->type() == QEvent::KeyPress && qobject_cast<QPlainTextEdit*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto labelled = m_labelButtons.find(watched);
        if (labelled != m_labelButtons.end() && labelled->second->isEnabled()) {
            labelled->second->setFocus(Qt::MouseFocusReason);
            labelled->second->click();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        const auto owner = m_tipOwners.find(watched);
        if (owner != m_tipOwners.end()) {
            std::optional<QString> text = m_toolTipSource ? m_toolTipSource(owner->second) : std::nullopt;
            if (!text)
                text = m_tips[owner->second];
            // The texts break their lines where they say; no line is wider than the tip allows.
            if (text->isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), *text,
                                   qobject_cast<QWidget*>(watched));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel::ui
