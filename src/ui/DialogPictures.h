#pragma once

#include <QImage>
#include <QSize>

namespace vantrel::ui {

// The image buttons of the message boxes and the About box.
enum class DialogButton { OK, Cancel, EMail, WebPage, Help };

// The picture of an icon style: 1 information, 2 warning, 3 error; a null image for any other style.
QImage statusPicture(int iconStyle);
// A button's picture, lit while the mouse is over it.
QImage buttonPicture(DialogButton button, bool hover);
QSize buttonSize(DialogButton button);
// The emblem in the About box's header band.
QImage aboutPicture();

} // namespace vantrel::ui
