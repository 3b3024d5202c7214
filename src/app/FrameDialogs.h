#pragma once

#include "ops/OperationFrontEnd.h"

#include <QString>

class QUrl;
class QWidget;

namespace vantrel::app {

// The boxes the main window shows and the links it hands to the desktop. The program runs on the
// desktop's; a test gives its own, which records them instead of waiting for a click.
class FrameDialogs {
public:
    // `parent` may be null: a box of its own, before there is a window.
    virtual ~FrameDialogs() = default;

    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text,
                             ops::MessageIcon icon) = 0;
    // True for OK.
    virtual bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    // False when the desktop has nothing to open the link with.
    virtual bool openLink(const QUrl& link) = 0;

    // The desktop's: the program's own message and OK/Cancel boxes, a worker's failure to start in the
    // desktop's warning box, links through the desktop's handlers.
    static FrameDialogs& desktop();
};

} // namespace vantrel::app
