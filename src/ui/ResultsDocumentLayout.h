#pragma once

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <deque>
#include <optional>
#include <vector>

class QTextLayout;

namespace vantrel::ui {

// The Results window's layout: every block on lines of its own, never wrapped, laid out only when it is
// painted, hit or asked for. A block's height comes from the fonts of its text and its line breaks, which
// needs no shaping, so appending a row costs the same whether the window holds ten rows or fifty thousand,
// and a run of thousands of rows lays out only the few in view. Blocks are placed as the stock layout
// places them (rounded line heights, collapsed block margins), so a window and its printout agree.
class ResultsDocumentLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit ResultsDocumentLayout(QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // How many blocks have been laid out since the document last changed as a whole.
    int laidOutBlocks() const { return m_laidOut; }

    // While held, changed blocks are placed as they come but neither the document's size nor the view is
    // told: a frame's rows are placed a few at a time and shown together when the hold ends.
    void holdChanges() { m_held = true; }
    void releaseChanges();

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // Where a block sits: the top of its first line and the height of its lines, in document pixels.
    struct Placement {
        double top = 0;
        double height = 0;
        double bottomMargin = 0;
        bool laidOut = false; // the lines are made for the block's text as it is now
    };
    Placement place(const QTextBlock& block, const Placement* above) const;
    // The block's lines laid out at their places, when they are not yet.
    QTextLayout* laidOut(const QTextBlock& block) const;
    // Keeps the block's shaped text for its next paints, and lets the longest kept block's go.
    void keepShaped(const QTextBlock& block) const;
    // Lets a block's shaped text and lines go.
    void release(int blockNumber) const;
    // The number of the block at document height y (the nearest one when y is in a gap or outside).
    int blockNumberAt(double y) const;
    double contentBottom() const;
    void widen(double width) const;
    // Tells the view of a new size and of the blocks changed from document height `changedTop` down.
    void announce(double changedTop);

    mutable std::vector<Placement> m_placements; // by block number
    mutable std::deque<int> m_shaped;            // blocks keeping their shaped text, oldest first
    mutable std::vector<std::pair<double, double>> m_formatHeights; // by char format index: ascent, descent
    mutable double m_width = 0;
    mutable int m_laidOut = 0;
    // What a change of the whole document with nothing removed may have changed; the page's width
    // alone changes nothing here.
    QFont m_font;
    double m_margin = 0;
    int m_characters = 0;
    bool m_held = false;
    std::optional<double> m_heldTop; // the highest change made while held
};

} // namespace vantrel::ui
