// The Log options pane and its file-name box with the browse button.
#include "settings/LiveOptions.h"
#include "support/DataHome.h"
#include "support/QtPrinters.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
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
    EXPECT_EQ(browseStartName(QStringLiteral("logs/x.rtf"), home), QStringLiteral("/opt/vantrel/logs/x.rtf"));
    EXPECT_EQ(browseStartName(QStringLiteral("logs/"), home), QStringLiteral("/opt/vantrel/logs/"));
    EXPECT_EQ(browseStartName(QStringLiteral("   "), home), QString());
}

TEST(EditBrowse, TheDialogStartsAtTheLogInUseWithTheLogsFileTypes) {
    const test::DataHome dir;
    CNxEditBrowseControl box(1027);
    box.setText(QStringLiteral("Vtrlog.rtf"));
    QString start;
    box.setFileChooser([&](QWidget*, const QString& startName) {
        start = startName;
        return QString();
    });
    box.browse();
    EXPECT_EQ(start, dir.filePath(QStringLiteral("Vtrlog.rtf")));

    const std::unique_ptr<QFileDialog> dialog = makeLogFileDialog(nullptr, start);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir.folder()).canonicalPath());
    ASSERT_EQ(dialog->selectedFiles().size(), 1);
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().constFirst()).fileName(), QStringLiteral("Vtrlog.rtf"));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("rtf"));
    EXPECT_EQ(dialog->nameFilters(), (QStringList{QStringLiteral("Rich\\Plain Text (*.rtf; *.txt)"),
                                                  QStringLiteral("Word Document (*.doc;*.docx)")}));
    auto* files = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->nameFilters(), (QStringList{QStringLiteral("*.rtf"), QStringLiteral("*.txt")}));
    dialog->selectNameFilter(dialog->nameFilters().at(1));
    emit dialog->filterSelected(dialog->nameFilters().at(1));
    EXPECT_EQ(files->nameFilters(), (QStringList{QStringLiteral("*.doc"), QStringLiteral("*.docx")}));
}

TEST(EditBrowse, ChosenPathFillsTheBoxAndCancelLeavesIt) {
    const test::DataHome data;
    CNxEditBrowseControl box(1027);
    QString askedWith;
    QString answer = QStringLiteral("/tmp/chosen.rtf");
    box.setFileChooser([&](QWidget*, const QString& start) {
        askedWith = start;
        return answer;
    });
    QSignalSpy changes(&box, &CNxEditBrowseControl::textChanged);

    box.browseButton()->click();
    EXPECT_EQ(askedWith, data.filePath(QStringLiteral("VtrLog.rtf")));
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
