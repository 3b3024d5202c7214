#pragma once

#include "text/StringResource.h"

#include <QPalette>
#include <QString>
#include <optional>
#include <span>

namespace vantrel::app {

// One visual style of the View menu's "Application Look": a Qt style with a palette of its own, or the
// desktop's style and palette.
struct VisualStyle {
    int id;                                 // command ID 210 to 219
    const output::TextTemplate<>* menuText; // as the menu shows it
    const char* qtStyle;                    // the QStyleFactory key; none for the desktop's own
    bool smartDocking; // switches animated, nested docking on; otherwise the docking mode is kept
    bool inOffice2007Submenu;
    Qt::ToolButtonStyle buttons; // where the toolbar buttons show their captions beside their icons
};

std::span<const VisualStyle> visualStyles();
std::optional<VisualStyle> findVisualStyle(int id);
// A stored style ID, or the default 214 when the stored number names no style.
int validVisualStyle(int id);
// The palette of a style: each style has its own window, button and highlight colours; the System look's
// is the desktop's, which an empty palette follows as it changes.
QPalette visualStylePalette(int id);
// The Qt style the desktop chose for the application, as it was before any look was applied.
QString desktopStyleName();

} // namespace vantrel::app
