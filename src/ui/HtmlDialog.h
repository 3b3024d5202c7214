#pragma once

#include "ui/DialogPictures.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <QUrl>
#include <functional>

class QTextBrowser;

namespace vantrel::ui {

// A modal dialog that shows one small rich-text page: its image buttons react to clicks and light up
// under the mouse, the page cannot be reloaded or opened in a new window, and it has no context menu.
// Enter and Space press the button that has the focus; Enter without one answers OK. The window is a
// dialog with a title and a close button only.
class HtmlDialog : public QDialog {
    Q_OBJECT
public:
    QTextBrowser* page() const { return m_page; }
    // What a click on the named button does, as the page's own click would.
    void clickButton(const QString& name);
    // The button that has the keyboard focus (Tab and Shift+Tab move it), or "" when none has.
    QString focusedButton() const;
    // Gives the named button the keyboard focus, as Tab would.
    void focusButton(const QString& name);

protected:
    explicit HtmlDialog(QWidget* parent);

    // The markup of an image button; `onClick` runs when it is clicked.
    QString button(const QString& name, DialogButton picture, const QString& toolTip,
                   std::function<void()> onClick);
    // The first row of a box: the icon style's picture beside the centred message, shown as plain text.
    QString statusRow(int iconStyle, const QString& message, const QString& messageClass);
    // Puts `picture` on the page wherever an image names `url`.
    void setPicture(const QUrl& url, const QImage& picture);
    // Shows `body` on the page with the shared style sheet.
    void setPage(const QString& body);
    // Sizes the box to its page: `widthDlu` dialog units wide (a long word wraps), as tall as the page plus
    // 20 pixels, never beyond the screen.
    void fitToPage(int widthDlu);
    // Dialog units, a quarter of the average character's width and an eighth of its height, in pixels.
    QSize dialogUnitsToPixels(int x, int y) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Button {
        QImage normal;
        QImage hover;
        QString toolTip;
        std::function<void()> onClick;
    };
    void hoverOver(const QUrl& link);

    QTextBrowser* m_page = nullptr;
    QHash<QString, Button> m_buttons;
    QHash<QUrl, QImage> m_pictures;
    QString m_lit;
};

} // namespace vantrel::ui
