#pragma once

#include "ui/HtmlDialog.h"

namespace vantrel::ui {

// The program's confirmation: like the message box, with OK and Cancel, and when `showNote` is set a note
// that the Other Options pane can turn the question off.
class CHTMLDialogOKCancelBox : public HtmlDialog {
    Q_OBJECT
public:
    CHTMLDialogOKCancelBox(const QString& caption, const QString& text, int iconStyle, bool showNote,
                           QWidget* parent = nullptr);
};

// Shows a CHTMLDialogOKCancelBox modally: true for OK, false for Cancel or the window's close button.
bool ShowOkCancelBox(QWidget* parent, const QString& caption, const QString& text, int iconStyle,
                     bool showNote);

} // namespace vantrel::ui
