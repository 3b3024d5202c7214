#pragma once

#include "ops/OperationFrontEnd.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vantrel::test {

// An operation front end that records what operation control asks of it.
class RecordingFrontEnd final : public ops::OperationFrontEnd {
public:
    struct MessageBox {
        QString caption;
        QString text;
        ops::MessageIcon icon;
    };

    QString hostText;
    std::optional<int> interval; // what the continuous-ping interval box shows
    bool balloonTips = true;
    bool balloonAccepted = true;

    QStringList history;
    std::vector<MessageBox> messageBoxes;
    QStringList balloons;
    int focusReturns = 0;
    int refreshes = 0;
    int beeps = 0;
    QStringList octetReports; // the control of each octet field reported on, "+pane" when the pane is shown

    QString hostBoxText() const override { return hostText; }
    void addHostToHistory(const QString& host, bool) override {
        for (const QString& entry : history)
            if (entry.compare(host, Qt::CaseInsensitive) == 0)
                return;
        history.append(host);
    }
    void returnFocusToHostBox() override { ++focusReturns; }
    void showMessageBox(const QString& caption, const QString& text, ops::MessageIcon icon) override {
        messageBoxes.push_back({caption, text, icon});
    }
    bool balloonTipsEnabled() const override { return balloonTips; }
    bool showHostBalloonTip(const QString& title, const QString& text) override {
        if (balloonAccepted)
            balloons.append(title + QLatin1Char('|') + text);
        return balloonAccepted;
    }
    void RefreshCommandUI() override { ++refreshes; }
    void beep() override { ++beeps; }
    std::optional<int> continuousPingInterval() const override { return interval; }
    void reportOctetField(int control, const QString& caption, const QString& balloonText,
                          const QString& boxText, bool showPane) override {
        octetReports.append(QString::number(control) + (showPane ? QStringLiteral("+pane") : QString()));
        OperationFrontEnd::reportOctetField(control, caption, balloonText, boxText, showPane);
    }
};

} // namespace vantrel::test
