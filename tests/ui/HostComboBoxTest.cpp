// The host box's history.
#include "ui/HostComboBox.h"

#include "support/QtPrinters.h"

#include <QLineEdit>
#include <QTest>
#include <gmock/gmock.h>

namespace vantrel::ui {
namespace {

using ::testing::ElementsAre;

TEST(HostHistory, AddsOnceIgnoringCaseAndSelects) {
    HostComboBox box;
    box.addToHistory(QStringLiteral("Example.org"), false);
    box.addToHistory(QStringLiteral("10.0.0.1"), false);
    box.addToHistory(QStringLiteral("example.ORG"), false);
    EXPECT_THAT(box.history(), ElementsAre("Example.org", "10.0.0.1"));
    EXPECT_EQ(box.currentIndex(), 0);
    box.addToHistory(QString(), false);
    EXPECT_EQ(box.count(), 2);
}

TEST(HostHistory, SortedInsertionFindsItsPlace) {
    HostComboBox box;
    for (const char* host : {"delta", "Bravo", "alpha", "charlie"})
        box.addToHistory(QString::fromLatin1(host), true);
    EXPECT_THAT(box.history(), ElementsAre("alpha", "Bravo", "charlie", "delta"));
    EXPECT_EQ(box.currentText(), QStringLiteral("charlie"));
}

TEST(HostHistory, StartHostIsSelectedOrAppended) {
    HostComboBox box;
    box.setHistory({"a.example", "b.example", "", "A.EXAMPLE"});
    EXPECT_THAT(box.history(), ElementsAre("a.example", "b.example"));
    box.selectOrAppend(QStringLiteral("b.example"));
    EXPECT_EQ(box.currentIndex(), 1);
    box.selectOrAppend(QStringLiteral("B.Example")); // the same host: no second entry
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_EQ(box.currentText(), QStringLiteral("B.Example"));
    box.selectOrAppend(QStringLiteral("c.example"));
    EXPECT_THAT(box.history(), ElementsAre("a.example", "b.example", "c.example"));
    EXPECT_EQ(box.currentText(), QStringLiteral("c.example"));
    box.selectOrAppend(QString());
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.currentText(), QString());
}

TEST(HostHistory, EnterDoesNotGrowTheList) {
    HostComboBox box;
    box.show();
    box.lineEdit()->setText(QStringLiteral("typed.example"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box.count(), 0);
}

} // namespace
} // namespace vantrel::ui
