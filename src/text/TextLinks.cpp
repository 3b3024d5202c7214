#include "text/TextLinks.h"

#include "text/MessageTexts.h"

#include <QRegularExpression>

namespace vantrel::output {

namespace {

const QRegularExpression& linkPattern() {
    // "www." counts only at the start of a word, so "awww.example" is no link; punctuation that ends a
    // sentence after an address is not part of it.
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:https?://|mailto:|\bwww\.)[^\s<>"{}\\]*[^\s<>"{}\\.,;:!?')])"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Every link the pattern finds has a scheme's colon or "www.": most texts have neither, and looking for
// them is far cheaper than running the pattern. Only W and w fold to w.
bool mayHoldLink(const QString& text) {
    const auto isW = [](QChar c) { return (c.unicode() | 0x20) == u'w'; };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u':' || (c == u'.' && i >= 3 && isW(text[i - 1]) && isW(text[i - 2]) && isW(text[i - 3])))
            return true;
    }
    return false;
}

} // namespace

std::vector<TextLink> findTextLinks(const QString& text) {
    std::vector<TextLink> links;
    if (!mayHoldLink(text))
        return links;
    auto matches = linkPattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        QString href = match.captured();
        if (href.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            href.prepend(output::text(res::kWebPrefix));
        links.push_back({match.capturedStart(), match.capturedLength(), href});
    }
    return links;
}

} // namespace vantrel::output
