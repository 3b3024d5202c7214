#pragma once

#include "text/StringResource.h"

#include <QPalette>
#include <QString>
#include <optional>
#include <span>

namespace vantrel::app {

// One visual style of the View menu's "Application Look": a Qt style with a palette of its own.
struct VisualStyle {
    int id;                                 // command ID 210 to 218
    const output::TextTemplate<>* menuText; // as the menu shows it
    const char* qtStyle;                    // the QStyleFactory key
    bool smartDocking; // switches animated, nested docking on; otherwise the docking mode is kept
    bool inOffice2007Submenu;
    Qt::ToolButtonStyle buttons; // where the toolbar buttons show their captions beside their icons
};

std::span<const VisualStyle> visualStyles();
std::optional<VisualStyle> findVisualStyle(int id);
// A stored style ID, or the default 214 when the stored number names no style.
int validVisualStyle(int id);
// The palette of a style: each style has its own window, button and highlight colours.
QPalette visualStylePalette(int id);

} // namespace vantrel::app
