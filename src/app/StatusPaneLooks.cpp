#include "app/StatusPaneLooks.h"

namespace vantrel::app {

namespace {

const QColor kBlack{0, 0, 0};

// Green, yellow or tomato by size; the tooltip is set only in the green range.
PaneLook sizeLook(const QString& text, double bytes, double yellowFrom, double tomatoFrom,
                  const QString& clearTip) {
    PaneLook look{text, kPaneGreen, kBlack, std::nullopt};
    if (bytes < yellowFrom)
        look.toolTip = bytes > 0 ? clearTip : QString();
    else if (bytes < tomatoFrom)
        look.background = kPaneYellow;
    else
        look.background = kPaneTomato;
    return look;
}

} // namespace

QString paneSizeText(const char* prefix, double bytes) {
    if (bytes < 100000)
        return QString::asprintf("%s: %.0f Bytes", prefix, bytes);
    return QString::asprintf("%s: %.2f Mb", prefix, bytes / 1000000.0);
}

PaneLook textSizePaneLook(double bytes) {
    return sizeLook(paneSizeText("Text Size", bytes), bytes, 1000000, 2000000,
                    QStringLiteral("Double-click here to clear the text in the \"Results\" window."));
}

PaneLook logPaneLook(const LogSnapshot& log) {
    const QString text = QStringLiteral("  LOG");
    if (log.logging)
        return {text, kPaneBlue, QColor(255, 255, 255), QStringLiteral("Double-click here to stop logging")};
    return {text, std::nullopt, kPaneGrey, QStringLiteral("Double-click here to start logging")};
}

PaneLook logSizePaneLook(const LogSnapshot& log) {
    if (!log.fileOpen)
        return {QStringLiteral("Log closed."), std::nullopt, kPaneGrey, QString()};
    PaneLook look = sizeLook(paneSizeText("Log Size", log.fileSize), log.fileSize, 2000000, 4000000,
                             QStringLiteral("Double-click here to clear the text in the Log."));
    look.textColour = kPaneDarkText;
    return look;
}

bool logNeedsPurge(const LogSnapshot& log, int purgeLogMb) {
    return log.fileOpen && log.fileSize > double(purgeLogMb) * 1000000.0;
}

} // namespace vantrel::app
