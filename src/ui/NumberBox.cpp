#include "ui/NumberBox.h"

#include "settings/OptionTable.h"
#include "text/PaneTexts.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QValidator>
#include <QWheelEvent>
#include <algorithm>

namespace vantrel::ui {

// Digits only, and no more of them than the box takes when typed. Text set by the program (a spin
// step, a stored value) is not checked, so a spun 255 may stand in a two-character box.
class NumberBox::DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    int maxChars = 0;

    State validate(QString& input, int&) const override {
        if (maxChars > 0 && input.size() > maxChars)
            return Invalid;
        // The digits 0 to 9 only: other scripts' digits read as no number at all.
        const bool digits =
            std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        return digits ? Acceptable : Invalid;
    }
};

namespace {

QToolButton* makeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

} // namespace

NumberBox::NumberBox(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_up(makeArrow(Qt::UpArrow, this))
    , m_down(makeArrow(Qt::DownArrow, this))
    , m_validator(new DigitsValidator(m_edit)) {
    m_edit->setValidator(m_validator);
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(1);
    layout->setVerticalSpacing(0);
    layout->addWidget(m_edit, 0, 0, 2, 1);
    layout->addWidget(m_up, 0, 1, Qt::AlignBottom);
    layout->addWidget(m_down, 1, 1, Qt::AlignTop);

    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(m_edit, &QLineEdit::textChanged, this, &NumberBox::textChanged);
}

void NumberBox::setControlName(const QString& name) {
    setAccessibleName(name);
    m_edit->setAccessibleName(name);
    m_up->setAccessibleName(output::fill(output::res::kSpinUpName, name));
    m_down->setAccessibleName(output::fill(output::res::kSpinDownName, name));
}

void NumberBox::setMaxChars(int chars) {
    m_validator->maxChars = chars;
    // Wide enough for the characters the box may show, a spun number included.
    const int digits = std::max({chars, int(QString::number(m_spinMax).size()), 1});
    m_edit->setFixedWidth(m_edit->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) +
                          12);
}

void NumberBox::setSpinRange(int minimum, int maximum) {
    m_spinMin = minimum;
    m_spinMax = maximum;
}

QString NumberBox::text() const {
    return m_edit->text();
}

void NumberBox::setText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

int NumberBox::number() const {
    return settings::boxNumber(m_edit->text());
}

void NumberBox::stepBy(int steps) {
    if (m_edit->isReadOnly())
        return;
    const qlonglong next = std::clamp<qlonglong>(qlonglong(number()) + steps, m_spinMin, m_spinMax);
    setText(QString::number(next));
    m_edit->setModified(true);
}

void NumberBox::setReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
    m_up->setEnabled(!readOnly);
    m_down->setEnabled(!readOnly);
}

bool NumberBox::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys and the wheel turn the spin control, as its buttons do.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    if (watched == m_edit && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0)
            stepBy(delta > 0 ? 1 : -1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel::ui
