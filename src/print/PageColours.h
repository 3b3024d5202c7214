#pragma once

#include "rtf/ResultKind.h"

#include <QColor>

class QPalette;
class QTextDocument;

namespace vantrel::output {

// The colours a Results page shows its rows in. Rows name their colours for a white page, and the log,
// the clipboard's RTF and the printed pages keep them so; a dark page shows each of them as a counterpart
// that keeps its contrast there, and gives the row's own colour back for whatever leaves the window.
class PageColours {
public:
    enum class Shade { Light, Dark };

    PageColours() = default;
    explicit PageColours(Shade shade)
        : m_shade(shade) {}
    // A dark page where the palette's base (the colour text is typed on) is dark.
    static PageColours forPalette(const QPalette& palette);

    Shade shade() const { return m_shade; }
    bool operator==(const PageColours&) const = default;

    // The page itself, its plain text and the rows' cell borders.
    QColor page() const;
    QColor ink() const;
    QColor border() const;

    // As shown: a row's text colour, and a row's or cell's background.
    QColor text(Rgb colour) const;
    QColor fill(Rgb colour) const;
    // A shown colour back as the row named it; colours of no row are their own.
    QColor storedText(const QColor& shown) const;
    QColor storedFill(const QColor& shown) const;

private:
    Shade m_shade = Shade::Light;
};

// Recolours a document written for one page's colours for another's: its text, its highlights and its
// rows' cells.
void recolour(QTextDocument& document, const PageColours& from, const PageColours& to);

// The contrast ratio of two colours as WCAG 2 defines it, from 1 (none) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

} // namespace vantrel::output
