#pragma once

#include "app/FrameDialogs.h"
#include "app/GuiArguments.h"

#include <QString>
#include <memory>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::app {

class CMainFrame;
class DesktopOperations;

// The application: opens the settings store, creates the main frame and shows it with the last host
// (or the host of the command line). The QApplication around it belongs to main().
class CVantrelApp {
public:
    // The window's boxes and links, and the store's notices, go through `dialogs`.
    CVantrelApp(GuiArguments arguments, const QString& executableDir,
                FrameDialogs& dialogs = FrameDialogs::desktop());
    ~CVantrelApp();
    CVantrelApp(const CVantrelApp&) = delete;
    CVantrelApp& operator=(const CVantrelApp&) = delete;

    // The start in order; false when the frame could not be created (already reported).
    bool InitInstance();

    CMainFrame* frame() const { return m_frame.get(); }
    settings::RegistryStore* store() const { return m_store.get(); }
    QString homeDir() const { return m_homeDir; }

    // Names the application for Qt (organisation and product), before any window.
    static void setApplicationNames();

private:
    GuiArguments m_arguments;
    FrameDialogs& m_dialogs;
    QString m_homeDir;
    std::unique_ptr<settings::RegistryStore> m_store;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<DesktopOperations> m_operations; // uses the frame: declared after it, destroyed before
};

} // namespace vantrel::app
