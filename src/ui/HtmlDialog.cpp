#include "ui/HtmlDialog.h"

#include "ui/ToolIcons.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>
#include <memory>

namespace vantrel::ui {

namespace {

const QString kButtonScheme = QStringLiteral("button");
const QUrl kStatusImage(QStringLiteral("picture:StatusImage"));

const char* const kStyleSheet = "body, .MessageText { font-family: Verdana, 'DejaVu Sans', sans-serif; "
                                "font-size: 10pt; }"
                                ".NagHeader { font-size: 10pt; font-weight: bold; }"
                                ".WhiteTextItalic { font-size: 10pt; font-style: italic; color: white; }"
                                ".AboutTitle { font-size: 18pt; font-weight: bold; color: white; }";

// Takes the page's pictures from the dialog rather than from files.
class PageBrowser : public QTextBrowser {
public:
    PageBrowser(const QHash<QUrl, QImage>& pictures, QWidget* parent)
        : QTextBrowser(parent)
        , m_pictures(pictures) {}

    QVariant loadResource(int type, const QUrl& name) override {
        const auto found = m_pictures.constFind(name);
        if (type == QTextDocument::ImageResource && found != m_pictures.constEnd())
            return *found;
        return {};
    }

private:
    const QHash<QUrl, QImage>& m_pictures;
};

QUrl buttonUrl(const QString& name) {
    QUrl url;
    url.setScheme(kButtonScheme);
    url.setPath(name);
    return url;
}

} // namespace

HtmlDialog::HtmlDialog(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setModal(true);
    const QIcon appIcon = QApplication::windowIcon();
    setWindowIcon(appIcon.isNull() ? toolIcon(ToolIcon::SystemTray) : appIcon);
    m_page = new PageBrowser(m_pictures, this);
    m_page->setOpenLinks(false);
    m_page->setOpenExternalLinks(false);
    m_page->setFrameShape(QFrame::NoFrame);
    m_page->setContextMenuPolicy(Qt::NoContextMenu);
    m_page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_page->document()->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
    m_page->document()->setDocumentMargin(6);
    // The background runs from a warm grey on the left to white.
    QLinearGradient background(0, 0, 1, 0);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, QColor(229, 223, 217));
    background.setColorAt(1, Qt::white);
    QPalette palette = m_page->palette();
    palette.setBrush(QPalette::Base, background);
    palette.setColor(QPalette::Text, Qt::black);
    m_page->setPalette(palette);
    m_page->installEventFilter(this);
    m_page->viewport()->installEventFilter(this);
    connect(m_page, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (link.scheme() == kButtonScheme)
            clickButton(link.path());
    });
    connect(m_page, qOverload<const QUrl&>(&QTextBrowser::highlighted), this, &HtmlDialog::hoverOver);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_page);
}

void HtmlDialog::clickButton(const QString& name) {
    const auto found = m_buttons.constFind(name);
    if (found != m_buttons.constEnd() && found->onClick)
        found->onClick();
}

QString HtmlDialog::focusedButton() const {
    // Tab gives a link the focus by selecting it: the button is the link of the first selected character.
    const QTextCursor selected = m_page->textCursor();
    if (!selected.hasSelection())
        return {};
    QTextCursor first(m_page->document());
    first.setPosition(selected.selectionStart() + 1);
    const QUrl link(first.charFormat().anchorHref());
    return link.scheme() == kButtonScheme && m_buttons.contains(link.path()) ? link.path() : QString();
}

void HtmlDialog::focusButton(const QString& name) {
    const QString href = buttonUrl(name).toString();
    for (QTextBlock block = m_page->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(m_page->document());
            cursor.setPosition(fragment.fragment().position());
            cursor.setPosition(fragment.fragment().position() + fragment.fragment().length(),
                               QTextCursor::KeepAnchor);
            m_page->setTextCursor(cursor);
            return;
        }
    }
}

QString HtmlDialog::button(const QString& name, DialogButton picture, const QString& toolTip,
                           std::function<void()> onClick) {
    Button b{buttonPicture(picture, false), buttonPicture(picture, true), toolTip, std::move(onClick)};
    const QUrl url = buttonUrl(name);
    setPicture(url, b.normal);
    const QSize size = buttonSize(picture);
    m_buttons.emplace(name, std::move(b));
    return QStringLiteral("<a href=\"%1\"><img src=\"%1\" width=\"%2\" height=\"%3\"></a>")
        .arg(url.toString())
        .arg(size.width())
        .arg(size.height());
}

QString HtmlDialog::statusRow(int iconStyle, const QString& message, const QString& messageClass) {
    QString picture;
    const QImage status = statusPicture(iconStyle);
    if (!status.isNull()) {
        setPicture(kStatusImage, status);
        picture = QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
                      .arg(kStatusImage.toString())
                      .arg(status.width())
                      .arg(status.height());
    }
    // The message is the caller's plain text: markup in it is shown, never interpreted.
    QString escaped = message.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    escaped.replace(QLatin1Char('\r'), QLatin1String("<br>"));
    return QStringLiteral("<tr><td width=\"10%\" valign=\"top\">%1</td>"
                          "<td align=\"center\"><span class=\"%2\">%3</span><br></td></tr>")
        .arg(picture, messageClass, escaped);
}

void HtmlDialog::setPicture(const QUrl& url, const QImage& picture) {
    m_pictures.insert(url, picture);
    m_page->document()->addResource(QTextDocument::ImageResource, url, picture);
}

void HtmlDialog::setPage(const QString& body) {
    m_page->setHtml(QStringLiteral("<html><body>%1</body></html>").arg(body));
}

QSize HtmlDialog::dialogUnitsToPixels(int x, int y) const {
    const QFontMetrics metrics = m_page->fontMetrics();
    return {x * metrics.averageCharWidth() / 4, y * metrics.height() / 8};
}

void HtmlDialog::fitToPage(int widthDlu) {
    // Laid out apart from the browser, which lays its own page out only once it is shown.
    const std::unique_ptr<QTextDocument> laidOut(m_page->document()->clone());
    const int width = dialogUnitsToPixels(widthDlu, 0).width();
    laidOut->setTextWidth(width);
    int height = int(laidOut->size().height()) + 20;
    // A page taller than the screen scrolls rather than hiding its buttons below the screen's edge.
    if (const QScreen* shown = screen()) {
        const int room = shown->availableGeometry().height() * 9 / 10;
        if (height > room) {
            height = room;
            m_page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
    }
    // A box of fixed size: window managers then draw no resize handle along its bottom and offer no
    // maximise button.
    setFixedSize(width, height);
}

bool HtmlDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        // Reload and a new window have no meaning for these pages.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F5 ||
            key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_N))
            return true;
        // Enter and Space press the focused button; Enter without one answers OK, as in any message box.
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (event->type() == QEvent::KeyPress &&
            (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier &&
            (enter || key->key() == Qt::Key_Space)) {
            if (const QString focused = focusedButton(); !focused.isEmpty())
                clickButton(focused);
            else if (enter)
                accept();
            return true;
        }
    }
    if (watched == m_page->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QUrl link(m_page->anchorAt(help->pos()));
        const auto found = m_buttons.constFind(link.path());
        if (link.scheme() == kButtonScheme && found != m_buttons.constEnd())
            QToolTip::showText(help->globalPos(), found->toolTip, m_page->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HtmlDialog::hoverOver(const QUrl& link) {
    const QString name = link.scheme() == kButtonScheme ? link.path() : QString();
    if (name == m_lit)
        return;
    if (const auto was = m_buttons.constFind(m_lit); was != m_buttons.constEnd())
        setPicture(buttonUrl(m_lit), was->normal);
    m_lit.clear();
    if (const auto now = m_buttons.constFind(name); now != m_buttons.constEnd()) {
        setPicture(buttonUrl(name), now->hover);
        m_lit = name;
    }
    m_page->viewport()->update();
}

} // namespace vantrel::ui
