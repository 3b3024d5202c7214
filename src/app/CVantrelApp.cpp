#include "app/CVantrelApp.h"

#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "commands/CommandIds.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "text/FrameTexts.h"
#include "text/MessageTexts.h"

#include <QApplication>
#include <QScreen>

namespace vantrel::app {

namespace {
// What a window manager's frame takes around the window: its borders and title bar.
constexpr QSize kWindowFrameRoom(16, 48);
} // namespace

CVantrelApp::CVantrelApp(GuiArguments arguments, const QString& executableDir, FrameDialogs& dialogs)
    : m_arguments(std::move(arguments))
    , m_dialogs(dialogs)
    , m_homeDir(resolveHomeDir(m_arguments.homeDir, executableDir)) {}

CVantrelApp::~CVantrelApp() {
    // The operations refer to the frame and the frame to the store: they go in that order.
    m_operations.reset();
    m_frame.reset();
    m_store.reset();
}

void CVantrelApp::setApplicationNames() {
    QApplication::setOrganizationName(output::text(output::res::kOrganizationName));
    QApplication::setApplicationName(output::text(output::res::kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
}

bool CVantrelApp::InitInstance() {
    m_store = settings::RegistryStore::open(
        settings::StoreLocation::resolve(m_arguments.configDir), [this](const settings::StoreNotice& notice) {
            m_dialogs.showMessage(nullptr, notice.caption, notice.text, ops::MessageIcon::Warning);
        });

    try {
        m_operations = std::make_unique<DesktopOperations>(
            [this](settings::LiveOptions& options, ops::OperationState& state) -> CMainFrame& {
                m_frame = std::make_unique<CMainFrame>(*m_store, m_homeDir, options, state, m_dialogs);
                if (!m_frame->Create())
                    throw FrameNotCreated{};
                return *m_frame;
            });
    } catch (const FrameNotCreated&) {
        m_frame.reset();
        return false;
    }
    m_operations->start();

    // The first start, without a saved layout, opens maximised, and so does the first start of another
    // version, which throws the saved layout away. Started into the tray, the window is not shown at
    // all until it is restored, and the version is not checked.
    const bool startInTray = m_frame->options().isOn(settings::OptionId::StartTask);
    const bool sameVersion = startInTray || m_frame->CheckProductVersion();
    if (!m_frame->layoutRestored() || !sameVersion) {
        // Un-maximised, the window fits the screen with its title bar in view; without a window manager,
        // where a maximised window keeps its size, it fills nearly all of the screen.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            m_frame->resize(available.size() - kWindowFrameRoom);
            m_frame->move(available.topLeft());
        }
        m_frame->setWindowState(Qt::WindowMaximized);
    }
    if (!startInTray)
        m_frame->show();
    m_frame->setWindowTitle(output::text(output::res::kProductName));

    const QString host = m_arguments.host.value_or(
        m_store->GetProfileString(settings::section::kMru, QStringLiteral("Address")));
    m_frame->putHostAtStart(host);
    m_frame->RefreshCommandUI();
    if (m_frame->options().isOn(settings::OptionId::StartISP))
        m_frame->commands().trigger(cmd::kISPingerMenu);
    if (startInTray)
        m_frame->commands().trigger(cmd::kSystemTrayMenu);
    return true;
}

} // namespace vantrel::app
