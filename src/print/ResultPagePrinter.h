#pragma once

#include <QRectF>
#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

namespace vantrel::output {

// Lays the Results window's text out page by page within fixed margins and paints the pages, rows with
// their cell backgrounds and borders as in the window. A table row is never split across pages; one
// taller than a page's printable height cannot be printed at all.
class ResultPagePrinter {
public:
    enum class Outcome { Printed, TooTall, Failed };

    // A copy of the characters [from, to) of a window's document with its rows' decorations, to lay out
    // for pages without touching the window's layout; to = -1 for the end.
    static std::unique_ptr<QTextDocument> copyOf(const QTextDocument& source, int from = 0, int to = -1);

    // document was laid out for a device of layoutDpi dots per inch and is laid out again for the
    // page; device paints from the paper's corner (no margins of its own); unprintableTopTwips is the
    // printer's unprintable band at the top. Nothing is painted when a row does not fit a page.
    static Outcome print(QTextDocument& document, double layoutDpi, QPagedPaintDevice& device,
                         int unprintableTopTwips = 0);

private:
    // The bands of the document, top to bottom, that go on one page each; nothing when a row is taller
    // than height.
    static std::optional<std::vector<QRectF>> paginate(const QTextDocument& document, double height);
};

} // namespace vantrel::output
