#pragma once

#include "rtf/RtfDocument.h"

#include <QString>
#include <QStringView>

namespace vantrel::output {

// Turns fragments into readable text for a terminal: a paragraph becomes a line (a line break inside it
// another), a table row one line of columns whose widths come from the cells' twips, so the rows of a
// table line up although each arrives as a fragment of its own. Links show their text; formatting and
// trailing blanks are dropped. Every line ends in '\n'.
class TextRenderer {
public:
    static constexpr int kTwipsPerCharacter = 100;

    explicit TextRenderer(int twipsPerCharacter = kTwipsPerCharacter);

    QString render(const RtfDocument& document) const;
    QString renderFragment(QStringView fragment) const;

private:
    QString renderRow(const TableRow& row) const;

    int m_twipsPerCharacter;
};

} // namespace vantrel::output
