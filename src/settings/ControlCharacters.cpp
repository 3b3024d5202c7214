#include "settings/ControlCharacters.h"

#include <algorithm>

namespace vantrel::settings {

bool containsControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
}

} // namespace vantrel::settings
