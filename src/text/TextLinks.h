#pragma once

#include <QString>
#include <vector>

namespace vantrel::output {

// A link found in plain text: where it stands and the address it opens.
struct TextLink {
    qsizetype start = 0;
    qsizetype length = 0;
    QString href;
};

// The web and mail addresses in a text, as a rich-text control detects them by itself: "http://",
// "https://" and "mailto:" addresses, and "www." names, which open as "http://" addresses.
std::vector<TextLink> findTextLinks(const QString& text);

} // namespace vantrel::output
