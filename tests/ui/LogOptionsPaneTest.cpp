// The Log options pane and its file-name box with the browse button.
#include "settings/LiveOptions.h"
#include "support/QtPrinters.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <gmock/gmock.h>

namespace vantrel::ui {
namespace {

TEST(BrowseStartName, FromTheBoxText) {
    const QString home = QStringLiteral("/opt/vantrel/");
    EXPECT_EQ(browseStartName(QString(), home), QStringLiteral("/opt/vantrel/VtrLog.rtf"));
    EXPECT_EQ(browseStartName(QStringLiteral("mylog.rtf"), home), QStringLiteral("/opt/vantrel/mylog.rtf"));
    EXPECT_EQ(browseStartName(QStringLiteral("  mylog.rtf "), home),
              QStringLiteral("/opt/vantrel/mylog.rtf"));
    EXPECT_EQ(browseStartName(QStringLiteral("/var/log/"), home), QStringLiteral("/var/log/"));
    EXPECT_EQ(browseStartName(QStringLiteral("/var/log/   "), home), QStringLiteral("/var/log/"));
    EXPECT_EQ(browseStartName(QStringLiteral("/var/log/x.rtf"), home), QStringLiteral("/var/log/x.rtf"));
    EXPECT_EQ(browseStartName(QStringLiteral("   "), home), QString());
}

TEST(EditBrowse, ChosenPathFillsTheBoxAndCancelLeavesIt) {
    CNxEditBrowseControl box(1027);
    box.setHomeDir(QStringLiteral("/home/u/"));
    QString askedWith;
    QString answer = QStringLiteral("/tmp/chosen.rtf");
    box.setFileChooser([&](QWidget*, const QString& start) {
        askedWith = start;
        return answer;
    });
    QSignalSpy changes(&box, &CNxEditBrowseControl::textChanged);

    box.browseButton()->click();
    EXPECT_EQ(askedWith, QStringLiteral("/home/u/VtrLog.rtf"));
    EXPECT_EQ(box.text(), QStringLiteral("/tmp/chosen.rtf"));
    EXPECT_TRUE(box.lineEdit()->isModified());
    EXPECT_EQ(changes.count(), 1);

    answer.clear(); // cancelled
    box.browse();
    EXPECT_EQ(box.text(), QStringLiteral("/tmp/chosen.rtf"));
    EXPECT_EQ(changes.count(), 1);
}

TEST(EditBrowse, ReadOnlyBoxHasNoBrowseButton) {
    CNxEditBrowseControl box(1027);
    box.show();
    int asked = 0;
    box.setFileChooser([&](QWidget*, const QString&) {
        ++asked;
        return QStringLiteral("/x.rtf");
    });
    box.setReadOnly(true);
    EXPECT_FALSE(box.browseButton()->isVisible());
    box.browse();
    EXPECT_EQ(asked, 0);
    box.setReadOnly(false);
    EXPECT_TRUE(box.browseButton()->isVisible());
}

TEST(LogOptionsPane, ReportsUserActsButNotShownNames) {
    settings::LiveOptions options;
    CNxLogOptionsPaneDialog pane(options);
    QSignalSpy toggles(&pane, &CNxLogOptionsPaneDialog::toggleRequested);
    QSignalSpy names(&pane, &CNxLogOptionsPaneDialog::fileNameChanged);
    EXPECT_EQ(pane.logCheck()->text(), QStringLiteral("Start/Stop logging:"));

    pane.showFileName(QStringLiteral("Vtrlog.rtf"));
    EXPECT_EQ(names.count(), 0);
    pane.fileNameBox()->lineEdit()->setText(QStringLiteral("new.rtf"));
    ASSERT_EQ(names.count(), 1);
    EXPECT_EQ(names.at(0).at(0).toString(), QStringLiteral("new.rtf"));

    pane.logCheck()->click();
    EXPECT_EQ(toggles.count(), 1);
    pane.showState(false, true, true);
    EXPECT_FALSE(pane.logCheck()->isEnabled());
    EXPECT_TRUE(pane.logCheck()->isChecked());
    EXPECT_TRUE(pane.fileNameBox()->isReadOnly());
}

} // namespace
} // namespace vantrel::ui
