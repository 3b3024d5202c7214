#include "app/CVantrelApp.h"

#include "app/CMainFrame.h"
#include "settings/RegistryStore.h"

#include <QCommandLineParser>
#include <QMessageBox>

namespace vantrel::app {

CVantrelApp::CVantrelApp(int& argc, char** argv)
    : m_application(argc, argv) {
    QApplication::setOrganizationName(QStringLiteral("Quenlo Software"));
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral("2.0.0.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantrel interactive network diagnostic toolkit"));
    parser.addHelpOption();
    const QCommandLineOption configDir(QStringLiteral("config-dir"),
                                       QStringLiteral("Use the settings store in <dir>."),
                                       QStringLiteral("dir"));
    parser.addOption(configDir);
    parser.process(m_application);

    std::optional<QString> configDirArgument;
    if (parser.isSet(configDir))
        configDirArgument = parser.value(configDir);
    m_store = settings::RegistryStore::open(settings::StoreLocation::resolve(configDirArgument),
                                            [](const settings::StoreNotice& notice) {
                                                QMessageBox::warning(nullptr, notice.caption, notice.text);
                                            });
    m_frame = std::make_unique<CMainFrame>(*m_store);
}

CVantrelApp::~CVantrelApp() = default;

int CVantrelApp::run() {
    m_frame->show();
    return QApplication::exec();
}

} // namespace vantrel::app
