#pragma once

#include "text/StringResource.h"

#include <QString>

namespace vantrel::test {

// A text of the catalogue with every conversion filled by a sample value: u 17, d 42, f 12.5 and, for
// %s, sampleText (escaped when the text is RTF). Each conversion is filled on its own with fmt's printf,
// so any entry can be filled without knowing its argument types at compile time.
QString fillWithSamples(const output::StringResourceInfo& info,
                        const QString& sampleText = QStringLiteral("host"));

} // namespace vantrel::test
