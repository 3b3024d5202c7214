#pragma once

#include <QLayout>
#include <QList>

namespace vantrel::ui {

// Places a pane's columns of groups side by side, left to right, and wraps them onto a further row where
// the pane is too narrow for the next one, so a narrow window scrolls a pane down, never sideways. Each
// column keeps the width it asks for; a row is as high as its highest column.
class GroupFlowLayout : public QLayout {
public:
    explicit GroupFlowLayout(QWidget* parent = nullptr);
    ~GroupFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    // All columns in one row.
    QSize sizeHint() const override;
    // The widest column.
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the columns out in `rect` (or only measures); answers the height used.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> m_items;
};

} // namespace vantrel::ui
