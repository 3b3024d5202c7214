#pragma once

#include "net/HostEntry.h"
#include "ops/EchoHandleFailure.h"

#include <QString>
#include <optional>

namespace vantrel::ops {

// The icon of a message box: the program's own boxes take 1, 2 or 3.
enum class MessageIcon { Information = 1, Warning = 2, Error = 3, Exclamation = 4 };

// What operation control needs from the front end that shows it: the host box, message boxes, balloon
// tips, the focus and the command state. The desktop frame implements it with widgets, the command
// line with the terminal, and tests with a recording fake. Every call comes on the GUI thread.
class OperationFrontEnd {
public:
    virtual ~OperationFrontEnd() = default;

    // The text of the host box's edit field, as typed.
    virtual QString hostBoxText() const = 0;
    // Adds a host to the host box's drop-down history, unless an entry equal to it ignoring case is
    // there; either way the matching entry is selected. Sorted insertion when `sorted`.
    virtual void addHostToHistory(const QString& host, bool sorted) = 0;
    // Gives the host box the keyboard focus with the caret at its start.
    virtual void returnFocusToHostBox() = 0;

    // The program's modal message box.
    virtual void showMessageBox(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // Whether the desktop shows balloon tips at all.
    virtual bool balloonTipsEnabled() const = 0;
    // An error balloon tip on the host box; false when the box refuses it, so the caller falls back to a
    // message box.
    virtual bool showHostBalloonTip(const QString& title, const QString& text) = 0;

    // Brings every command's enabling and caption, and the status pane, up to date with the flags.
    virtual void RefreshCommandUI() = 0;
    // The status text may have changed: the status pane shows it (once a frame while workers run).
    virtual void showStatus() {}
    // The system's exclamation sound.
    virtual void beep() = 0;
    // What to do when no ICMP socket opens. The desktop program never advises raw-socket capability: a
    // GUI toolkit should not run with it.
    virtual QString icmpAccessGuidance() const {
        return ops::icmpAccessGuidance(runningProgramPath(), false);
    }

    // An error on one of the SeqScan pane's octet fields (its control): a balloon on the field, or the
    // message box when balloons are off or refused; the pane shown first when `showPane`, and the field
    // focused. Without the pane, the message box.
    virtual void reportOctetField(int control, const QString& caption, const QString& balloonText,
                                  const QString& boxText, bool showPane) {
        (void)control;
        (void)balloonText;
        (void)showPane;
        showMessageBox(caption, boxText, MessageIcon::Error);
    }

    // The continuous-ping interval as the front end's interval box shows it, or nothing when it has none;
    // ContPingInterval is used then.
    virtual std::optional<int> continuousPingInterval() const { return std::nullopt; }
    // The local host's lookup at start-up succeeded: the front end shows what it found, if it cares.
    virtual void reportLocalHost(const net::HostEntry& entry) { (void)entry; }
};

} // namespace vantrel::ops
