#pragma once

#include "ui/HtmlDialog.h"

namespace vantrel::ui {

// The program's message box: the caption, the icon style's picture (1 information, 2 warning, 3 error,
// none for any other style), the message as plain text and an OK button.
class CHTMLMessageBox : public HtmlDialog {
    Q_OBJECT
public:
    CHTMLMessageBox(const QString& caption, const QString& text, int iconStyle, QWidget* parent = nullptr);
};

// Shows a CHTMLMessageBox modally and returns once it is closed.
void ShowMessageBox(QWidget* parent, const QString& caption, const QString& text, int iconStyle);

} // namespace vantrel::ui
