#include "ui/CHTMLDialogOKCancelBox.h"

#include "text/MessageTexts.h"

namespace vantrel::ui {

CHTMLDialogOKCancelBox::CHTMLDialogOKCancelBox(const QString& caption, const QString& text, int iconStyle,
                                               bool showNote, QWidget* parent)
    : HtmlDialog(parent) {
    const QString ok = button(QStringLiteral("ButtonOK"), DialogButton::OK,
                              output::text(output::res::kContinueTip), [this] { accept(); });
    const QString cancel = button(QStringLiteral("ButtonCancel"), DialogButton::Cancel,
                                  output::text(output::res::kCancelOperationTip), [this] { reject(); });
    const QString note = showNote ? QStringLiteral("<p align=\"center\"><br>%1</p>")
                                        .arg(output::text(output::res::kNagNote).toHtmlEscaped())
                                  : QString();
    setPage(QStringLiteral("<table width=\"100%\">%1<tr><td></td></tr></table>"
                           "<p align=\"center\">%2&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;%3</p>%4")
                .arg(statusRow(iconStyle, text, QStringLiteral("NagHeader")), ok, cancel, note));
    setWindowTitle(caption);
    focusButton(QStringLiteral("ButtonOK"));
    fitToPage(290);
}

bool ShowOkCancelBox(QWidget* parent, const QString& caption, const QString& text, int iconStyle,
                     bool showNote) {
    CHTMLDialogOKCancelBox box(caption, text, iconStyle, showNote, parent);
    return box.exec() == QDialog::Accepted;
}

} // namespace vantrel::ui
