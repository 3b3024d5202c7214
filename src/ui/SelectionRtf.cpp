#include "ui/SelectionRtf.h"

#include "print/RowDecoration.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <utility>

namespace vantrel::ui {

namespace {

// Where the RTF goes. The selection is written twice: first only counted, which also gathers the colour
// table the header needs, then into a buffer of its exact size. A purge's copy of the whole text is several
// times the text's size; growing it, or putting the header before it, would hold it twice.
class RtfSink {
public:
    RtfSink& operator+=(QByteArrayView bytes) {
        if (m_counting)
            m_counted += bytes.size();
        else
            m_bytes.append(bytes);
        return *this;
    }
    RtfSink& operator+=(char c) { return *this += QByteArrayView(&c, 1); }

    // Ends the counting: `more` bytes come besides the counted ones.
    void startWriting(qsizetype more) {
        m_bytes.reserve(m_counted + more);
        m_counting = false;
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    bool m_counting = true;
    qsizetype m_counted = 0;
    QByteArray m_bytes;
};

class RtfWriter {
public:
    RtfWriter(const QTextCursor& selection, double twipsPerPixel, const output::PageColours& shownOn)
        : m_start(selection.selectionStart())
        , m_end(selection.selectionEnd())
        , m_twipsPerPixel(twipsPerPixel)
        , m_shownOn(shownOn) {}

    QByteArray write(const QTextDocument& document) {
        writeBody(document);
        QByteArray header = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Trebuchet MS;}}{\\colortbl;";
        for (QRgb colour : m_colours)
            header += "\\red" + QByteArray::number(qRed(colour)) + "\\green" +
                      QByteArray::number(qGreen(colour)) + "\\blue" + QByteArray::number(qBlue(colour)) + ";";
        header += "}\\fs20 ";
        m_body.startWriting(header.size() + 1);
        m_body += header;
        writeBody(document);
        m_body += '}';
        return m_body.take();
    }

private:
    void writeBody(const QTextDocument& document) {
        for (QTextBlock block = document.findBlock(m_start); block.isValid() && block.position() <= m_end;
             block = block.next()) {
            const auto* row = dynamic_cast<const output::RowDecoration*>(block.userData());
            const bool whole = block.position() >= m_start && block.position() + block.length() - 1 <= m_end;
            if (row && whole)
                writeRow(block, *row);
            else
                writeParagraph(block);
        }
    }

    int colourIndex(const QColor& colour) {
        const qsizetype found = m_colours.indexOf(colour.rgb());
        if (found >= 0)
            return int(found) + 1;
        m_colours.append(colour.rgb());
        return int(m_colours.size());
    }
    QByteArray twips(int pixels) const { return QByteArray::number(std::lround(pixels * m_twipsPerPixel)); }

    void writeText(const QString& text) {
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u == '\\' || u == '{' || u == '}')
                m_body += '\\' + QByteArray(1, char(u));
            else if (u == '\t')
                m_body += "\\tab ";
            else if (c == QChar::LineSeparator)
                m_body += "\\line ";
            else if (u >= 0x20 && u < 0x80)
                m_body += char(u);
            else
                m_body += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }

    // The runs of a block between two positions, each in a group with its format.
    void writeRuns(const QTextBlock& block, int from, int to, bool cellsAtTabs) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const QStringList parts =
                fragment.text().mid(start - fragment.position(), end - start).split(QLatin1Char('\t'));
            for (qsizetype i = 0; i < parts.size(); ++i) {
                if (i > 0)
                    m_body += cellsAtTabs ? "\\cell \\pard\\intbl " : "\\tab ";
                if (parts[i].isEmpty())
                    continue;
                m_body += '{';
                if (format.fontWeight() > QFont::Normal)
                    m_body += "\\b";
                if (format.fontUnderline())
                    m_body += "\\ul";
                if (format.foreground().style() != Qt::NoBrush)
                    m_body += "\\cf" + QByteArray::number(
                                           colourIndex(m_shownOn.storedText(format.foreground().color())));
                if (format.background().style() != Qt::NoBrush)
                    m_body +=
                        "\\highlight" +
                        QByteArray::number(colourIndex(m_shownOn.storedFill(format.background().color())));
                m_body += ' ';
                writeText(parts[i]);
                m_body += '}';
            }
        }
    }

    void writeParagraph(const QTextBlock& block) {
        const int blockEnd = block.position() + block.length() - 1;
        m_body += "\\pard ";
        writeRuns(block, std::max(m_start, block.position()), std::min(m_end, blockEnd), false);
        if (m_end > blockEnd)
            m_body += "\\par ";
    }

    void writeRow(const QTextBlock& block, const output::RowDecoration& row) {
        m_body += "\\trowd ";
        for (const output::CellDecoration& cell : row.cells) {
            const std::pair<const char*, int> edges[] = {{"l", cell.borders.left},
                                                         {"t", cell.borders.top},
                                                         {"r", cell.borders.right},
                                                         {"b", cell.borders.bottom}};
            for (const auto& [side, width] : edges) {
                if (width > 0)
                    m_body += QByteArray("\\clbrdr") + side + "\\brdrw" + twips(width) + "\\brdrs ";
            }
            if (cell.background)
                m_body +=
                    "\\clcbpat" + QByteArray::number(colourIndex(m_shownOn.storedFill(*cell.background)));
            m_body += "\\cellx" + twips(cell.right) + ' ';
        }
        m_body += "\\pard\\intbl ";
        writeRuns(block, block.position(), block.position() + block.length() - 1, true);
        m_body += "\\cell \\row ";
    }

    int m_start;
    int m_end;
    double m_twipsPerPixel;
    output::PageColours m_shownOn;
    QList<QRgb> m_colours;
    RtfSink m_body;
};

} // namespace

QByteArray selectionRtf(const QTextCursor& selection, double twipsPerPixel,
                        const output::PageColours& shownOn) {
    if (!selection.document())
        return {};
    return RtfWriter(selection, twipsPerPixel, shownOn).write(*selection.document());
}

} // namespace vantrel::ui
