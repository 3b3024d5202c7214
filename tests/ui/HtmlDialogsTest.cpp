// The program's own message boxes: what their pages show for every icon style, with a message that tries
// to be markup, how they close, and how they fit their message.
#include "text/MessageTexts.h"
#include "ui/CHTMLDialogOKCancelBox.h"
#include "ui/CHTMLMessageBox.h"
#include "ui/DialogPictures.h"

#include <QApplication>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vantrel::ui {
namespace {

const QString kHostile =
    QStringLiteral("<b>bold</b> <script>alert('x')</script> &amp; <img src=x>\nsecond line");
const QUrl kStatusImage(QStringLiteral("picture:StatusImage"));

std::unique_ptr<HtmlDialog> makeBox(bool okCancel, int iconStyle, bool note, const QString& text = kHostile) {
    if (okCancel)
        return std::make_unique<CHTMLDialogOKCancelBox>(QStringLiteral("Caption <i>"), text, iconStyle, note);
    return std::make_unique<CHTMLMessageBox>(QStringLiteral("Caption <i>"), text, iconStyle);
}

TEST(HtmlDialogs, EachBoxShowsItsCaptionTheIconStylesPictureAndTheMessageAsText) {
    for (const bool okCancel : {false, true}) {
        for (const int style : {0, 1, 2, 3, 4}) {
            for (const bool note : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "okCancel " << okCancel << " style " << style << " note " << note);
                const auto box = makeBox(okCancel, style, note);
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Caption <i>"));
                QTextDocument* page = box->page()->document();
                const QString shown = page->toPlainText();
                // Markup and script in the message are shown as they were typed, its line break kept.
                EXPECT_TRUE(shown.contains(QStringLiteral("<b>bold</b> <script>alert('x')</script> &amp; "
                                                          "<img src=x>\nsecond line")))
                    << shown.toStdString();
                const bool pictured = style >= 1 && style <= 3;
                EXPECT_EQ(page->toHtml().contains(kStatusImage.toString()), pictured);
                EXPECT_EQ(page->resource(QTextDocument::ImageResource, kStatusImage).isValid(), pictured);
                EXPECT_EQ(shown.contains(output::text(output::res::kNagNote)), okCancel && note);
                EXPECT_EQ(page->toHtml().contains(QStringLiteral("button:ButtonCancel")), okCancel);
            }
        }
    }
    // Each style has a picture of its own.
    const auto picture = [](int style) {
        return qvariant_cast<QImage>(makeBox(false, style, false)
                                         ->page()
                                         ->document()
                                         ->resource(QTextDocument::ImageResource, kStatusImage));
    };
    EXPECT_NE(picture(1), picture(2));
    EXPECT_NE(picture(2), picture(3));
    EXPECT_NE(picture(1), picture(3));
}

TEST(HtmlDialogs, ButtonsCloseWithTheirResultsAndLightUpUnderTheMouse) {
    for (const auto& [buttonName, expected] :
         {std::pair{"ButtonOK", QDialog::Accepted}, std::pair{"ButtonCancel", QDialog::Rejected}}) {
        const auto box = makeBox(true, 2, true);
        box->show();
        // Through the page's own link signal, as a click on the picture gives it.
        emit box->page()->anchorClicked(QUrl(QStringLiteral("button:") + QLatin1String(buttonName)));
        EXPECT_FALSE(box->isVisible()) << buttonName;
        EXPECT_EQ(box->result(), expected) << buttonName;
    }

    // The window's close button is a Cancel.
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    EXPECT_FALSE(ShowOkCancelBox(nullptr, QStringLiteral("c"), QStringLiteral("t"), 2, false));
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<HtmlDialog*>(QApplication::activeModalWidget()))
            box->clickButton(QStringLiteral("ButtonOK"));
    });
    EXPECT_TRUE(ShowOkCancelBox(nullptr, QStringLiteral("c"), QStringLiteral("t"), 2, false));
    // Enter answers OK.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<HtmlDialog*>(QApplication::activeModalWidget()))
            QTest::keyClick(box->page(), Qt::Key_Return);
    });
    EXPECT_TRUE(ShowOkCancelBox(nullptr, QStringLiteral("c"), QStringLiteral("t"), 2, false));

    const auto box = makeBox(true, 1, false);
    const QUrl ok(QStringLiteral("button:ButtonOK"));
    const QUrl cancel(QStringLiteral("button:ButtonCancel"));
    const auto shows = [&](const QUrl& button, DialogButton picture, bool lit) {
        return qvariant_cast<QImage>(box->page()->document()->resource(
                   QTextDocument::ImageResource, button)) == buttonPicture(picture, lit);
    };
    emit box->page()->highlighted(ok);
    EXPECT_TRUE(shows(ok, DialogButton::OK, true));
    emit box->page()->highlighted(cancel);
    EXPECT_TRUE(shows(ok, DialogButton::OK, false));
    EXPECT_TRUE(shows(cancel, DialogButton::Cancel, true));
    emit box->page()->highlighted(QUrl());
    EXPECT_TRUE(shows(cancel, DialogButton::Cancel, false));
}

TEST(HtmlDialogs, EnterAndSpacePressTheFocusedButton) {
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    const Key enter{Qt::Key_Return};
    const Key tab{Qt::Key_Tab};
    struct Case {
        const char* what;
        bool okCancel;
        std::vector<Key> keys;
        QDialog::DialogCode result;
    };
    const Case cases[] = {
        {"OK has the focus at first", true, {enter}, QDialog::Accepted},
        {"Tab to Cancel", true, {tab, enter}, QDialog::Rejected},
        {"Tab to Cancel, keypad Enter", true, {tab, {Qt::Key_Enter, Qt::KeypadModifier}}, QDialog::Rejected},
        {"Tab to Cancel, Space", true, {tab, {Qt::Key_Space}}, QDialog::Rejected},
        {"Shift+Tab back to OK", true, {tab, {Qt::Key_Tab, Qt::ShiftModifier}, enter}, QDialog::Accepted},
        {"Escape", true, {{Qt::Key_Escape}}, QDialog::Rejected},
        {"the message box's OK", false, {enter}, QDialog::Accepted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto box = makeBox(c.okCancel, 2, true);
        box->show();
        for (const Key& key : c.keys)
            QTest::keyClick(box->page(), key.key, key.modifiers);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(box->result(), c.result);
        // A dialog's window: a title and a close button, no minimise or maximise button.
        EXPECT_EQ(box->windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint),
                  Qt::CustomizeWindowHint);
        // Of fixed size: no resize handle along its bottom.
        EXPECT_EQ(box->minimumSize(), box->maximumSize());
    }
}

TEST(HtmlDialogs, TheBoxFitsItsMessage) {
    const auto shortBox = makeBox(false, 1, false, QStringLiteral("Done."));
    QString lines;
    for (int i = 0; i < 40; ++i)
        lines += QStringLiteral("Line %1 of a long report\n").arg(i);
    const auto longBox = makeBox(false, 1, false, lines);
    const auto wideBox = makeBox(false, 1, false, QString(200, QLatin1Char('W')));
    EXPECT_GT(longBox->height(), shortBox->height() + 200);
    shortBox->show();
    EXPECT_EQ(shortBox->height(), int(shortBox->page()->document()->size().height()) + 20);
    EXPECT_EQ(longBox->width(), shortBox->width());
    EXPECT_EQ(wideBox->width(), shortBox->width());
    EXPECT_GT(wideBox->height(), shortBox->height());
    EXPECT_TRUE(wideBox->page()->toPlainText().contains(QString(200, QLatin1Char('W'))));
}

} // namespace
} // namespace vantrel::ui
