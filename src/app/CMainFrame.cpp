#include "app/CMainFrame.h"

#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

#include <QCloseEvent>
#include <QLabel>

namespace vantrel::app {

CMainFrame::CMainFrame(settings::RegistryStore& store, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store) {
    setWindowTitle(QStringLiteral("Vantrel 2.0"));
    resize(900, 600);
    auto* placeholder = new QLabel(this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
    LoadSettings();
}

void CMainFrame::LoadSettings() {
    m_options.assign(settings::LoadSettings(m_store).options);
}

void CMainFrame::SaveSettings() {
    settings::SaveSettings(m_store, m_options.snapshot());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

} // namespace vantrel::app
