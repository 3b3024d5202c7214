#pragma once

#include <QString>

namespace vantrel::settings {

// Whether a text holds a control character (a line break, a tab, an escape...) or a line or paragraph
// separator. Such a text cannot be a host, a profile or a group: it would break the lists, the log's
// rows and the one-entry-a-line listings.
bool containsControlCharacter(const QString& text);

} // namespace vantrel::settings
