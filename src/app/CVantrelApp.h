#pragma once

#include <QApplication>
#include <memory>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::app {

class CMainFrame;

// The application: the settings store and the main frame, created in order and released in reverse.
class CVantrelApp {
public:
    CVantrelApp(int& argc, char** argv);
    ~CVantrelApp();
    CVantrelApp(const CVantrelApp&) = delete;
    CVantrelApp& operator=(const CVantrelApp&) = delete;

    int run();

private:
    QApplication m_application;
    std::unique_ptr<settings::RegistryStore> m_store;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace vantrel::app
