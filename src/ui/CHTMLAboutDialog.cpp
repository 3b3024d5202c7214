#include "ui/CHTMLAboutDialog.h"

#include "text/MessageTexts.h"

#include <QTextBrowser>

namespace vantrel::ui {

namespace {

QString paragraphs(const QString& text) {
    QString html;
    for (const QString& line : text.split(QLatin1Char('\n')))
        html += QStringLiteral("<li>%1</li>").arg(line.toHtmlEscaped());
    return QStringLiteral("<ul>%1</ul>").arg(html);
}

} // namespace

CHTMLAboutDialog::CHTMLAboutDialog(const QString& manualPath, const LinkOpener& open, QWidget* parent)
    : HtmlDialog(parent) {
    namespace res = output::res;
    const QUrl picture(QStringLiteral("picture:About"));
    setPicture(picture, aboutPicture());
    auto opener = [open](const QUrl& url) { return [open, url] { open(url); }; };
    const QString buttons =
        button(QStringLiteral("ButtonEMail"), DialogButton::EMail, output::text(res::kAboutEMailTip),
               opener(QUrl(output::text(res::kEmailLink)))) +
        button(QStringLiteral("ButtonWebPage"), DialogButton::WebPage, output::text(res::kAboutWebPageTip),
               opener(QUrl(output::text(res::kHomepageUrl)))) +
        button(QStringLiteral("ButtonHelp"), DialogButton::Help, output::text(res::kAboutHelpTip),
               opener(QUrl::fromLocalFile(manualPath))) +
        button(QStringLiteral("ButtonOK"), DialogButton::OK, output::text(res::kAboutExitTip),
               [this] { accept(); });
    setPage(QStringLiteral(
                "<table width=\"100%\" bgcolor=\"#0000ff\" cellpadding=\"4\">"
                "<tr><td width=\"72\"><img src=\"%1\" width=\"64\" height=\"64\"></td><td align=\"center\">"
                "<span class=\"AboutTitle\">%2</span><br><span class=\"WhiteTextItalic\">%3</span></td></tr>"
                "<tr><td colspan=\"2\" align=\"center\">%4</td></tr></table>"
                "<p><b>%5</b></p>%6<p>%7</p><p>%8</p>")
                .arg(picture.toString(), output::text(res::kProductName).toHtmlEscaped(),
                     output::text(res::kAboutMakerLine).toHtmlEscaped(), buttons,
                     output::text(res::kAboutNewHeading).toHtmlEscaped(),
                     paragraphs(output::text(res::kAboutNewItems)),
                     output::text(res::kAboutDisclaimer).toHtmlEscaped(),
                     output::text(res::kAboutRequirements).toHtmlEscaped()));
    setWindowTitle(output::text(res::kAboutCaption));
    page()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFixedSize(dialogUnitsToPixels(513, 273));
}

} // namespace vantrel::ui
