#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vantrel::ui {

// A box that takes digits only, up to a number of characters as typed, with a spin control on its right.
// The spin control steps from the number in the box through its own range, which may reach further than
// the characters typed can (a two-character box may be spun up to 255). What the box shows is the
// owner's to correct: it reports every change of its text, typed, pasted, spun or set.
class NumberBox : public QWidget {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // The characters that typing or pasting may leave in the box; 0 for no limit.
    void setMaxChars(int chars);
    void setSpinRange(int minimum, int maximum);
    int spinMinimum() const { return m_spinMin; }
    int spinMaximum() const { return m_spinMax; }

    QString text() const;
    void setText(const QString& text);
    // The box read as a number: empty reads as 0, and digits beyond an int's reach as its largest value.
    int number() const;
    // Steps the spin control: from the box's number, kept inside the spin range.
    void stepBy(int steps);
    void setReadOnly(bool readOnly);
    // The name a screen reader gives the box and its spin buttons.
    void setControlName(const QString& name);

signals:
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DigitsValidator;

    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    DigitsValidator* m_validator;
    int m_spinMin = 0;
    int m_spinMax = 0;
};

} // namespace vantrel::ui
