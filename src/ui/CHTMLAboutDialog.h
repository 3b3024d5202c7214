#pragma once

#include "ui/HtmlDialog.h"

namespace vantrel::ui {

// The About box: the program's title band, buttons that mail the maker, open the web site and the manual,
// and what is new, the disclaimer and the tested systems.
class CHTMLAboutDialog : public HtmlDialog {
    Q_OBJECT
public:
    // Opens a link on the desktop; what it answers is ignored, a failure shows nothing.
    using LinkOpener = std::function<void(const QUrl&)>;

    CHTMLAboutDialog(const QString& manualPath, const LinkOpener& open, QWidget* parent = nullptr);
};

} // namespace vantrel::ui
