#include "output/TextLinks.h"

#include "output/MessageTexts.h"

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

} // namespace

std::vector<TextLink> findTextLinks(const QString& text) {
    std::vector<TextLink> links;
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
