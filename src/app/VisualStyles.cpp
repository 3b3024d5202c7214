#include "app/VisualStyles.h"

#include "commands/CommandIds.h"
#include "text/FrameTexts.h"

#include <QApplication>
#include <QColor>
#include <QStyle>
#include <array>

namespace vantrel::app {

namespace {

namespace res = output::res;

const std::array kStyles = {
    VisualStyle{cmd::kLookSystem, &res::kStyleSystem, nullptr, true, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{210, &res::kStyleWindows2000, "Windows", false, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{211, &res::kStyleOfficeXp, "Fusion", false, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{212, &res::kStyleWindowsXp, "Fusion", false, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{213, &res::kStyleOffice2003, "Fusion", true, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{214, &res::kStyleVisualStudio2005, "Fusion", true, false, Qt::ToolButtonTextBesideIcon},
    VisualStyle{215, &res::kStyleBlue, "Fusion", true, true, Qt::ToolButtonTextUnderIcon},
    VisualStyle{216, &res::kStyleBlack, "Fusion", true, true, Qt::ToolButtonTextUnderIcon},
    VisualStyle{217, &res::kStyleSilver, "Fusion", true, true, Qt::ToolButtonTextUnderIcon},
    VisualStyle{218, &res::kStyleAqua, "Fusion", true, true, Qt::ToolButtonTextUnderIcon},
};

// The colours that tell a style apart.
struct StyleColours {
    QColor window;
    QColor button;
    QColor highlight;
    QColor text;
    QColor base;
};

StyleColours coloursOf(int id) {
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    switch (id) {
    case 210: // classic grey
        return {QColor(212, 208, 200), QColor(212, 208, 200), QColor(10, 36, 106), black, white};
    case 211: // light grey with a pale blue selection
        return {QColor(249, 248, 247), QColor(219, 216, 209), QColor(182, 189, 210), black, white};
    case 212: // beige with the themed blue selection
        return {QColor(236, 233, 216), QColor(244, 243, 238), QColor(49, 106, 197), black, white};
    case 213: // light blue
        return {QColor(195, 218, 249), QColor(221, 236, 254), QColor(255, 192, 111), black, white};
    case 215: // Office 2007 blue
        return {QColor(191, 219, 255), QColor(214, 232, 255), QColor(255, 213, 140), QColor(21, 66, 139),
                white};
    case 216: // Office 2007 black
        return {QColor(83, 83, 83), QColor(110, 110, 110), QColor(255, 213, 140), QColor(240, 240, 240),
                QColor(60, 60, 60)};
    case 217: // Office 2007 silver
        return {QColor(208, 212, 221), QColor(231, 234, 240), QColor(255, 213, 140), QColor(76, 83, 92),
                white};
    case 218: // Office 2007 aqua
        return {QColor(196, 221, 228), QColor(222, 238, 242), QColor(255, 213, 140), QColor(42, 80, 92),
                white};
    default: // 214, Visual Studio 2005: warm grey
        return {QColor(238, 237, 229), QColor(245, 244, 239), QColor(49, 106, 197), black, white};
    }
}

} // namespace

std::span<const VisualStyle> visualStyles() {
    return kStyles;
}

std::optional<VisualStyle> findVisualStyle(int id) {
    for (const VisualStyle& style : kStyles) {
        if (style.id == id)
            return style;
    }
    return std::nullopt;
}

int validVisualStyle(int id) {
    return findVisualStyle(id) ? id : cmd::kLookDefault;
}

QString desktopStyleName() {
    // Read before the first look replaces the style.
    static const QString name = QApplication::style() ? QApplication::style()->name() : QString();
    return name;
}

QPalette visualStylePalette(int id) {
    if (validVisualStyle(id) == cmd::kLookSystem)
        return QPalette();
    const StyleColours c = coloursOf(validVisualStyle(id));
    QPalette palette(c.button, c.window);
    palette.setColor(QPalette::Window, c.window);
    palette.setColor(QPalette::Button, c.button);
    palette.setColor(QPalette::Highlight, c.highlight);
    palette.setColor(QPalette::WindowText, c.text);
    palette.setColor(QPalette::ButtonText, c.text);
    palette.setColor(QPalette::Text, c.text);
    palette.setColor(QPalette::Base, c.base);
    palette.setColor(QPalette::AlternateBase, c.window);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, QColor(61, 83, 80));
    palette.setColor(QPalette::HighlightedText,
                     c.highlight.lightness() > 150 ? QColor(0, 0, 0) : QColor(255, 255, 255));
    // Disabled texts stay readable on dark windows too.
    const QColor disabled = c.window.lightness() < 128 ? QColor(160, 160, 160) : QColor(128, 128, 128);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabled);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    return palette;
}

} // namespace vantrel::app
