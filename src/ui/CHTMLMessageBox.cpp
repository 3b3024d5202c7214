#include "ui/CHTMLMessageBox.h"

#include "text/MessageTexts.h"

namespace vantrel::ui {

CHTMLMessageBox::CHTMLMessageBox(const QString& caption, const QString& text, int iconStyle, QWidget* parent)
    : HtmlDialog(parent) {
    const QString ok = button(QStringLiteral("ButtonOK"), DialogButton::OK,
                              output::text(output::res::kContinueTip), [this] { accept(); });
    setPage(QStringLiteral("<table width=\"100%\">%1</table><p align=\"center\">%2</p>")
                .arg(statusRow(iconStyle, text, QStringLiteral("MessageText")), ok));
    setWindowTitle(caption);
    focusButton(QStringLiteral("ButtonOK"));
    fitToPage(263);
}

void ShowMessageBox(QWidget* parent, const QString& caption, const QString& text, int iconStyle) {
    CHTMLMessageBox box(caption, text, iconStyle, parent);
    box.exec();
}

} // namespace vantrel::ui
