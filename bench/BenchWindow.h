#pragma once

#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <optional>

// The real main window for a benchmark, with its operations on the system's echo and name services, shown
// at 1200 by 800 and its operations started. Its boxes go to the terminal, so that nothing waits for a
// click; links are not opened.
class BenchWindow {
public:
    // Nothing when the window cannot be made.
    static std::unique_ptr<BenchWindow> open(vantrel::settings::RegistryStore& store, const QString& dir) {
        try {
            return std::make_unique<BenchWindow>(store, dir);
        } catch (const vantrel::app::FrameNotCreated&) {
            return nullptr;
        }
    }

    BenchWindow(vantrel::settings::RegistryStore& store, const QString& dir) {
        m_operations.emplace([&](vantrel::settings::LiveOptions& options,
                                 vantrel::ops::OperationState& state) -> vantrel::app::CMainFrame& {
            m_frame = std::make_unique<vantrel::app::CMainFrame>(store, dir + QLatin1Char('/'), options,
                                                                 state, m_dialogs);
            if (!m_frame->Create())
                throw vantrel::app::FrameNotCreated{};
            return *m_frame;
        });
        m_operations->start();
        m_frame->resize(1200, 800);
        m_frame->show();
        QApplication::processEvents();
    }

    vantrel::app::CMainFrame& frame() { return *m_frame; }
    vantrel::app::DesktopOperations& operations() { return *m_operations; }

private:
    class TerminalDialogs final : public vantrel::app::FrameDialogs {
    public:
        void showMessage(QWidget*, const QString& caption, const QString& text,
                         vantrel::ops::MessageIcon) override {
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        }
        bool askOkCancel(QWidget*, const QString&, const QString&) override { return false; }
        bool openLink(const QUrl&) override { return false; }
    };

    TerminalDialogs m_dialogs;
    std::unique_ptr<vantrel::app::CMainFrame> m_frame;
    std::optional<vantrel::app::DesktopOperations> m_operations;
};
