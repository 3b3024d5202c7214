#pragma once

#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "ops/OperationState.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "support/QtPrinters.h"
#include "ui/HostComboBox.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace vantrel::app::testing {

// A frame on a store in a temporary folder; reopen() closes the frame and store and opens both again,
// as a restart of the program would.
class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        open();
    }
    void TearDown() override {
        if (frame && frame->isVisible())
            frame->close();
        dropFrame();
        store.reset();
    }

    void open() {
        store = settings::RegistryStore::open(settings::StoreLocation{m_dir.path()});
        // A log, when one is written, goes to the test's folder.
        if (!store->valueKind(settings::section::kOptions, "Log String"))
            store->WriteProfileString(settings::section::kOptions, "Log String", logPath());
        makeFrame();
        ASSERT_TRUE(frame);
        frame->show();
        frame->activateWindow();
        // Window shortcuts need the window active.
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        // Once the panes are arranged for the window's size, the host box takes the focus.
        ASSERT_TRUE(QTest::qWaitFor([this] { return frame->hostBox()->lineEdit()->hasFocus(); }));
    }

    // A frame on options and state of its own; a fixture with the desktop's operations makes it on
    // theirs (frameOn).
    virtual void makeFrame() {
        m_options = std::make_unique<settings::LiveOptions>();
        m_state = std::make_unique<ops::OperationState>();
        frameOn(*m_options, *m_state);
    }
    // The frame goes, and what it shows after it.
    virtual void dropFrame() {
        frame.reset();
        m_state.reset();
        m_options.reset();
    }
    CMainFrame& frameOn(settings::LiveOptions& options, ops::OperationState& state) {
        frame =
            std::make_unique<CMainFrame>(*store, m_dir.path() + QStringLiteral("/"), options, state, dialogs);
        EXPECT_TRUE(frame->Create());
        return *frame;
    }

    void reopen() {
        ASSERT_TRUE(frame->close());
        dropFrame();
        store.reset();
        open();
    }

    QString dirPath() const { return m_dir.path(); }
    QString logPath() const { return m_dir.filePath(QStringLiteral("Vtrlog.rtf")); }

    // The frame's boxes and links, recorded: nothing waits for a click, nothing leaves for the desktop.
    struct RecordedDialogs : FrameDialogs {
        void showMessage(QWidget*, const QString& caption, const QString& text, ops::MessageIcon) override {
            boxes.append(caption + QStringLiteral(": ") + text);
        }
        bool askOkCancel(QWidget*, const QString& caption, const QString& text) override {
            asked.append(caption + QStringLiteral(": ") + text);
            return okAnswer;
        }
        bool openLink(const QUrl& link) override {
            opened.append(link.toString());
            return false;
        }
        QStringList boxes;     // the message boxes, as "caption: text"
        QStringList asked;     // the OK/Cancel questions, as "caption: text"
        bool okAnswer = false; // OK or Cancel
        QStringList opened;    // the links handed to the desktop, which has nothing to open them with
    };

    std::unique_ptr<settings::RegistryStore> store;
    std::unique_ptr<CMainFrame> frame;
    RecordedDialogs dialogs;
    QStringList& boxes = dialogs.boxes;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<settings::LiveOptions> m_options;
    std::unique_ptr<ops::OperationState> m_state;
};

// A frame made through the desktop's operations, on a scripted network and name service.
class OperationsFrameFixture : public FrameFixture {
protected:
    void makeFrame() override {
        operations = std::make_unique<DesktopOperations>(
            [this](settings::LiveOptions& options, ops::OperationState& state) -> CMainFrame& {
                return frameOn(options, state);
            },
            DesktopNetwork{network.api(), names});
    }
    void dropFrame() override {
        operations.reset();
        FrameFixture::dropFrame();
    }

    test::FakeIcmpNetwork network;
    std::shared_ptr<test::FakeHostDatabase> names = std::make_shared<test::FakeHostDatabase>();
    std::unique_ptr<DesktopOperations> operations;
};

} // namespace vantrel::app::testing
