#pragma once

#include "app/FrameParts.h"
#include "app/WorkspaceLayout.h"
#include "settings/StoreWrite.h"

#include <QByteArray>

namespace vantrel::app {

class CMainFrame;

// The main window's settings and layout: the options, lists and panes loaded from the store and saved
// to it, the docking and toolbar layout saved, restored, arranged for the window's size and reset, and
// the check of the stored program version.
class FramePersistence {
public:
    FramePersistence(CMainFrame& frame, FrameParts& parts);
    FramePersistence(const FramePersistence&) = delete;
    FramePersistence& operator=(const FramePersistence&) = delete;

    void LoadSettings();
    settings::StoreWrite SaveSettings();
    // The layout as built, before a saved one is applied: the starting layout.
    void keepStartingLayout();
    void restoreLayout();
    // Saves the docking and toolbar layout in `section`; the result says whether it reached the store.
    settings::StoreWrite saveLayout(const QString& section);
    // Once the window has its size: the saved layout, or the starting one where none was saved or the
    // saved one would leave the Results less than their least room.
    void arrangePanes();
    // The window's least width: the Hosts toolbar whole and the status bar's panes side by side.
    void updateLeastWidth();
    // At start: true when the stored program version is this program's; otherwise the saved layout is
    // replaced by the starting one (also kept for Reset GUI), and the version stored.
    bool CheckProductVersion();
    // Puts the docking and toolbar layout back to the copy kept when the version changed, once the user
    // agreed.
    void ResetGui();
    // The program's OK/Cancel box with its warning icon, or the test's answer: true for OK.
    bool askOkCancel(const QString& caption, const QString& text);
    // Whether a saved layout was found; without one the window opens maximised.
    bool layoutRestored() const { return m_layoutRestored; }

private:
    // The starting layout's pane sizes: the options as high as their controls need, the Profile Manager
    // beside the Results, which take the room left over.
    void sizeStartingPanes();
    // What the saved layout keeps beside the window's state: the hidden toolbar buttons, the status bar.
    void applyBarsShown(const SavedLayout& layout);

    CMainFrame& m_frame;
    FrameParts& m_parts;
    bool m_layoutRestored = false;
    QByteArray m_savedState;    // applied once the window has its final size
    QByteArray m_startingState; // the layout as built, before a saved one is applied
};

} // namespace vantrel::app
