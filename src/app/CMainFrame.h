#pragma once

#include "settings/LiveOptions.h"

#include <QMainWindow>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::app {

// The main window. It loads the options when it is created and saves them when it closes.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(settings::RegistryStore& store, QWidget* parent = nullptr);

    settings::LiveOptions& options() { return m_options; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadSettings();
    void SaveSettings();

    settings::RegistryStore& m_store;
    settings::LiveOptions m_options;
};

} // namespace vantrel::app
