#include "ui/StatusPane.h"

#include <QMouseEvent>

namespace vantrel::ui {

StatusPane::StatusPane(int id, int width, QWidget* parent)
    : QLabel(QStringLiteral(" "), parent)
    , m_id(id)
    , m_textColour(palette().color(QPalette::WindowText)) {
    setObjectName(QStringLiteral("pane%1").arg(id));
    setMinimumWidth(width);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    // As high as the text always: a new text repaints the pane without laying out the status bar.
    setFixedHeight(sizeHint().height());
}

void StatusPane::setLook(const QString& text, const std::optional<QColor>& background,
                         const QColor& textColour, const std::optional<QString>& toolTip) {
    if (this->text() != text)
        setText(text);
    if (toolTip && this->toolTip() != *toolTip)
        setToolTip(*toolTip);
    if (background == m_background && textColour == m_textColour)
        return;
    m_background = background;
    m_textColour = textColour;
    // A style sheet, because the palette alone is ignored by some styles for labels in a status bar.
    QString sheet = QStringLiteral("color: %1;").arg(textColour.name());
    if (background)
        sheet += QStringLiteral(" background-color: %1;").arg(background->name());
    setStyleSheet(sheet);
}

void StatusPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(m_id);
    QLabel::mouseDoubleClickEvent(event);
}

} // namespace vantrel::ui
