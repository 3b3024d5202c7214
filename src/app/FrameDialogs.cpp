#include "app/FrameDialogs.h"

#include "ui/CHTMLDialogOKCancelBox.h"
#include "ui/CHTMLMessageBox.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace vantrel::app {

namespace {

class DesktopDialogs final : public FrameDialogs {
public:
    void showMessage(QWidget* parent, const QString& caption, const QString& text,
                     ops::MessageIcon icon) override {
        // A worker's failure to start keeps the desktop's own warning box; every other message is the
        // program's own box.
        if (icon == ops::MessageIcon::Exclamation) {
            QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
            box.exec();
            return;
        }
        ui::ShowMessageBox(parent, caption, text, int(icon));
    }
    bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) override {
        return ui::ShowOkCancelBox(parent, caption, text, int(ops::MessageIcon::Warning), false);
    }
    bool openLink(const QUrl& link) override { return QDesktopServices::openUrl(link); }
};

} // namespace

FrameDialogs& FrameDialogs::desktop() {
    static DesktopDialogs dialogs;
    return dialogs;
}

} // namespace vantrel::app
