#pragma once

#include <QColor>
#include <QLabel>
#include <optional>

namespace vantrel::ui {

// One pane of the status bar: a fixed width (or at least that width when it stretches), its own
// colours, and a double-click that asks for the pane's command.
class StatusPane : public QLabel {
    Q_OBJECT
public:
    StatusPane(int id, int width, QWidget* parent = nullptr);

    int id() const { return m_id; }
    // Shows a text in a colour on a background (empty: the style's); an empty tooltip keeps the tip.
    void setLook(const QString& text, const std::optional<QColor>& background, const QColor& textColour,
                 const std::optional<QString>& toolTip);
    std::optional<QColor> background() const { return m_background; }
    QColor textColour() const { return m_textColour; }

signals:
    void doubleClicked(int id);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_id;
    std::optional<QColor> m_background;
    QColor m_textColour;
};

} // namespace vantrel::ui
