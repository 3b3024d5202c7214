#include "rtf/RtfReader.h"

#include "rtf/RtfCellDefinitions.h"
#include "rtf/RtfControlWords.h"
#include "rtf/Windows1252.h"

#include <QString>
#include <algorithm>
#include <string>
#include <string_view>

namespace vantrel::output {

QString runsText(const std::vector<TextRun>& runs) {
    QString text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

namespace {

using Side = RtfCellDefinitions::Side;

constexpr int kMaxWordLength = 32;
constexpr int kMaxFallback = 8; // \ucN beyond this is nonsense; it would only swallow text

enum class Destination { Text, ColorTable, FieldInstruction, Skip };

struct GroupState {
    bool bold = false;
    bool underline = false;
    int colorIndex = 0;
    int fallback = 1;
    QString link;
    Destination destination = Destination::Text;
};

struct ColorEntry {
    int red = 0, green = 0, blue = 0;
    bool given = false;
};

struct Field {
    std::size_t depth;
    QString instruction;
};

class Parser {
public:
    explicit Parser(QStringView input)
        : m_in(input) {
        m_groups.push_back(GroupState{});
    }

    RtfDocument run() {
        while (m_pos < m_in.size()) {
            const char16_t c = m_in[m_pos].unicode();
            ++m_pos;
            switch (c) {
            case u'{':
                openGroup();
                break;
            case u'}':
                closeGroup();
                break;
            case u'\\':
                controlSequence();
                break;
            case u'\r':
            case u'\n':
                break;
            case u'\t':
                text(u'\t');
                break;
            default:
                if (c >= 0x20)
                    ordinaryText();
                break;
            }
        }
        finish();
        return std::move(m_doc);
    }

private:
    GroupState& state() { return m_groups.back(); }

    static bool isOrdinary(char16_t c) { return c >= 0x20 && c != u'{' && c != u'}' && c != u'\\'; }

    // The character just read and all ordinary ones after it, in one piece.
    void ordinaryText() {
        const qsizetype start = m_pos - 1;
        while (m_pos < m_in.size() && isOrdinary(m_in[m_pos].unicode()))
            ++m_pos;
        textSpan(m_in.sliced(start, m_pos - start));
    }

    void openGroup() {
        m_formatKnown = false;
        m_skip = 0;
        m_starPending = false;
        if (m_groups.size() >= std::size_t(RtfReader::kMaxDepth)) {
            ++m_overflow;
            return;
        }
        m_groups.push_back(state());
    }

    void closeGroup() {
        m_formatKnown = false;
        m_skip = 0;
        m_starPending = false;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_groups.size() <= 1)
            return; // a stray closing brace
        if (state().destination == Destination::ColorTable)
            endColorEntry(false);
        m_groups.pop_back();
        while (!m_fields.empty() && m_fields.back().depth >= m_groups.size())
            m_fields.pop_back();
    }

    // Reads a number after a control word: an optional '-', then digits; clamped, never overflowing.
    std::optional<int> number() {
        qsizetype p = m_pos;
        bool negative = false;
        if (p < m_in.size() && m_in[p] == QLatin1Char('-')) {
            negative = true;
            ++p;
        }
        if (p >= m_in.size() || m_in[p].unicode() < u'0' || m_in[p].unicode() > u'9')
            return std::nullopt;
        long long value = 0;
        while (p < m_in.size() && m_in[p].unicode() >= u'0' && m_in[p].unicode() <= u'9') {
            value = std::min<long long>(value * 10 + (m_in[p].unicode() - u'0'), kMaxRtfNumber);
            ++p;
        }
        m_pos = p;
        return int(negative ? -value : value);
    }

    static bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

    void controlSequence() {
        if (m_pos >= m_in.size())
            return; // a lone backslash at the end
        const char16_t c = m_in[m_pos].unicode();
        if (!isAsciiLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        char word[kMaxWordLength];
        int length = 0;
        while (m_pos < m_in.size() && isAsciiLetter(m_in[m_pos].unicode())) {
            if (length < kMaxWordLength)
                word[length++] = char(m_in[m_pos].unicode());
            ++m_pos;
        }
        const std::optional<int> param = number();
        if (m_pos < m_in.size() && m_in[m_pos] == QLatin1Char(' '))
            ++m_pos; // the delimiter belongs to the word
        const bool star = m_starPending;
        m_starPending = false;
        controlWord(std::string_view(word, std::size_t(length)), param, star);
    }

    void controlSymbol(char16_t c) {
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            text(c);
            break;
        case u'\'':
            hexEscape();
            break;
        case u'*':
            m_starPending = true;
            break;
        case u'~':
            text(0x00A0);
            break;
        case u'_':
            text(0x2011);
            break;
        case u'\r':
        case u'\n':
            paragraphEnd();
            break;
        case u'\t':
            text(u'\t');
            break;
        default:
            break; // \- and unknown symbols show nothing
        }
    }

    static int hexValue(QChar c) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        if (u >= u'a' && u <= u'f')
            return u - u'a' + 10;
        if (u >= u'A' && u <= u'F')
            return u - u'A' + 10;
        return -1;
    }

    void hexEscape() {
        if (m_pos + 2 > m_in.size())
            return; // truncated: what is left reads as text
        const int high = hexValue(m_in[m_pos]);
        const int low = hexValue(m_in[m_pos + 1]);
        if (high < 0 || low < 0) {
            // Not an escape after all: only the quote is consumed, the rest is read as usual.
            return;
        }
        m_pos += 2;
        text(fromWindows1252(std::uint8_t(high * 16 + low)));
    }

    void controlWord(std::string_view name, std::optional<int> param, bool star) {
        m_formatKnown = false;
        GroupState& s = state();
        const RtfWord w = rtfWordOf(name);
        const int n = param.value_or(1);
        if (star && w != RtfWord::Fldinst) {
            s.destination = Destination::Skip; // an optional destination we do not know
            return;
        }
        if (s.destination == Destination::Skip)
            return;
        if (s.destination == Destination::ColorTable) {
            if (w == RtfWord::Red || w == RtfWord::Green || w == RtfWord::Blue) {
                (w == RtfWord::Red     ? m_color.red
                 : w == RtfWord::Green ? m_color.green
                                       : m_color.blue) = std::clamp(n, 0, 255);
                m_color.given = true;
            }
            return;
        }
        switch (w) {
        case RtfWord::Par:
            paragraphEnd();
            break;
        case RtfWord::Line:
            text(u'\n');
            break;
        case RtfWord::Tab:
            text(u'\t');
            break;
        case RtfWord::Bold:
            s.bold = n != 0;
            break;
        case RtfWord::Underline:
            s.underline = n != 0;
            break;
        case RtfWord::UnderlineNone:
            s.underline = false;
            break;
        case RtfWord::ColorFore:
            s.colorIndex = n;
            break;
        case RtfWord::Plain:
            s.bold = false;
            s.underline = false;
            s.colorIndex = 0;
            break;
        case RtfWord::Trowd:
            rowDefinition();
            break;
        case RtfWord::Cellx:
            m_cells.closeCell(n);
            break;
        case RtfWord::CellBackground:
            m_cells.setBackground(color(n));
            break;
        case RtfWord::BorderLeft:
            m_cells.border(Side::Left);
            break;
        case RtfWord::BorderTop:
            m_cells.border(Side::Top);
            break;
        case RtfWord::BorderRight:
            m_cells.border(Side::Right);
            break;
        case RtfWord::BorderBottom:
            m_cells.border(Side::Bottom);
            break;
        case RtfWord::BorderWidth:
            m_cells.setBorderWidth(std::max(1, n));
            break;
        case RtfWord::BorderNone:
            m_cells.setBorderWidth(0);
            break;
        case RtfWord::InTable:
            m_inTable = true;
            break;
        case RtfWord::Pard:
            m_inTable = false;
            break;
        case RtfWord::Cell:
            cellEnd();
            break;
        case RtfWord::Row:
            rowEnd();
            break;
        case RtfWord::Field:
            m_fields.push_back(Field{m_groups.size() - 1, QString()});
            break;
        case RtfWord::Fldinst:
            s.destination = m_fields.empty() ? Destination::Skip : Destination::FieldInstruction;
            break;
        case RtfWord::Fldrslt:
            s.link = m_fields.empty() ? QString() : RtfReader::hyperlinkTarget(m_fields.back().instruction);
            break;
        case RtfWord::ColorTable:
            s.destination = Destination::ColorTable;
            m_colors.clear();
            m_color = ColorEntry{};
            break;
        case RtfWord::Unicode:
            if (param) {
                const int unit = *param < 0 ? *param + 65536 : *param;
                if (unit >= 0 && unit <= 0xFFFF)
                    text(char16_t(unit));
                m_skip = s.fallback;
            }
            break;
        case RtfWord::FallbackCount:
            s.fallback = std::clamp(n, 0, kMaxFallback);
            break;
        case RtfWord::Binary:
            // Binary data: never part of what the program writes; stepped over.
            m_pos = std::min<qsizetype>(m_in.size(), m_pos + std::max(0, param.value_or(0)));
            break;
        case RtfWord::SkippedDestination:
            s.destination = Destination::Skip;
            break;
        case RtfWord::Red:
        case RtfWord::Green:
        case RtfWord::Blue:
        case RtfWord::Other:
            break;
        default:
            text(char16_t(w)); // the words that stand for one character
            break;
        }
    }

    std::optional<Rgb> color(int index) const {
        if (index <= 0 || std::size_t(index) >= m_colors.size())
            return std::nullopt;
        return m_colors[std::size_t(index)];
    }

    void endColorEntry(bool separator) {
        if (separator) {
            if (m_color.given)
                m_colors.push_back(
                    Rgb{std::uint8_t(m_color.red), std::uint8_t(m_color.green), std::uint8_t(m_color.blue)});
            else
                m_colors.push_back(std::nullopt); // "auto"
        }
        m_color = ColorEntry{};
    }

    void text(char16_t c) { textSpan(QStringView(&c, 1)); }

    // Text of one run of ordinary characters (the run() loop hands over as many as follow each other).
    void textSpan(QStringView span) {
        if (m_skip > 0) {
            const qsizetype fallback = std::min<qsizetype>(m_skip, span.size()); // of a \u character
            m_skip -= int(fallback);
            span = span.sliced(fallback);
            if (span.isEmpty())
                return;
        }
        GroupState& s = state();
        switch (s.destination) {
        case Destination::FieldInstruction:
            if (!m_fields.empty())
                m_fields.back().instruction += span;
            return;
        case Destination::ColorTable:
            for (QChar c : span) {
                if (c == QLatin1Char(';'))
                    endColorEntry(true);
            }
            return;
        case Destination::Skip:
            return;
        case Destination::Text:
            break;
        }
        if (!m_formatKnown || m_runs.empty()) {
            TextRun format;
            format.bold = s.bold;
            format.underline = s.underline;
            format.color = color(s.colorIndex);
            format.link = s.link;
            if (m_runs.empty() || !m_runs.back().sameFormat(format))
                m_runs.push_back(std::move(format));
            m_formatKnown = true; // until a control word or a brace may change it
        }
        m_runs.back().text += span;
    }

    bool inRow() const { return m_rowOpen; }

    void paragraphEnd() {
        if (state().destination != Destination::Text)
            return;
        if (inRow() && m_inTable) {
            text(u'\n'); // a paragraph inside a cell
            return;
        }
        if (inRow())
            rowEnd(); // a row left without \row ends where normal paragraphs begin
        m_doc.blocks.emplace_back(Paragraph{std::move(m_runs), true});
        m_runs.clear();
    }

    void flushOpenParagraph() {
        if (!m_runs.empty()) {
            m_doc.blocks.emplace_back(Paragraph{std::move(m_runs), false});
            m_runs.clear();
        }
    }

    void rowDefinition() {
        if (inRow())
            rowEnd();
        else
            flushOpenParagraph();
        m_cells.clear();
        m_rowOpen = true;
    }

    // More cells than definitions: each extra one as wide as a default column.
    TableCell cellFromDefinition(std::size_t index) const {
        return m_cells.cell(index, m_rowCells.empty() ? 0 : m_rowCells.back().rightEdge);
    }

    void cellEnd() {
        if (state().destination != Destination::Text)
            return;
        if (!inRow()) {
            // A cell without a row definition: the row is taken as begun here, with the last definitions.
            flushOpenParagraph();
            m_rowOpen = true;
            m_rowCells.clear();
        }
        TableCell cell = cellFromDefinition(m_rowCells.size());
        cell.runs = std::move(m_runs);
        m_runs.clear();
        m_rowCells.push_back(std::move(cell));
    }

    static bool onlyBlanks(const std::vector<TextRun>& runs) {
        for (const TextRun& run : runs) {
            for (QChar c : run.text) {
                if (!c.isSpace())
                    return false;
            }
        }
        return true;
    }

    void rowEnd() {
        if (state().destination != Destination::Text)
            return;
        if (!inRow())
            return; // \row with no row: nothing to end
        if (!m_runs.empty() && !onlyBlanks(m_runs))
            cellEnd(); // text after the last \cell still belongs to the row
        m_runs.clear();
        while (m_rowCells.size() < m_cells.size())
            m_rowCells.push_back(cellFromDefinition(m_rowCells.size()));
        m_doc.blocks.emplace_back(TableRow{std::move(m_rowCells)});
        m_rowCells.clear();
        m_rowOpen = false;
    }

    void finish() {
        if (inRow() && (!m_rowCells.empty() || !m_runs.empty())) {
            if (!m_runs.empty() && !onlyBlanks(m_runs))
                cellEnd();
            m_runs.clear();
            m_doc.blocks.emplace_back(TableRow{std::move(m_rowCells)});
        }
        flushOpenParagraph();
    }

    QStringView m_in;
    qsizetype m_pos = 0;
    std::vector<GroupState> m_groups;
    std::size_t m_overflow = 0;
    bool m_starPending = false;
    int m_skip = 0;

    std::vector<std::optional<Rgb>> m_colors;
    ColorEntry m_color;
    std::vector<Field> m_fields;

    RtfCellDefinitions m_cells;
    bool m_rowOpen = false;
    bool m_inTable = false;
    std::vector<TableCell> m_rowCells;

    std::vector<TextRun> m_runs;
    bool m_formatKnown = false; // the last run has the format in force
    RtfDocument m_doc;
};

} // namespace

RtfDocument RtfReader::readDocument(QStringView rtf) {
    return Parser(rtf).run();
}

RtfDocument RtfReader::readDocument(QByteArrayView rtf) {
    QString text;
    text.reserve(rtf.size());
    for (char byte : rtf)
        text += QChar(fromWindows1252(std::uint8_t(byte)));
    return Parser(text).run();
}

// The target of a field instruction "HYPERLINK target" (the target may be quoted); empty for others.
QString RtfReader::hyperlinkTarget(const QString& instruction) {
    const QString trimmed = instruction.trimmed();
    static const QString kKeyword = QStringLiteral("HYPERLINK");
    if (!trimmed.startsWith(kKeyword, Qt::CaseInsensitive))
        return QString();
    QString rest = trimmed.mid(kKeyword.size()).trimmed();
    // Switches such as \l come before or after the target; the target is the first plain token.
    while (!rest.isEmpty()) {
        if (rest.startsWith(QLatin1Char('"'))) {
            const qsizetype close = rest.indexOf(QLatin1Char('"'), 1);
            return close < 0 ? rest.mid(1) : rest.mid(1, close - 1);
        }
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        const QString token = blank < 0 ? rest : rest.left(blank);
        if (!token.startsWith(QLatin1Char('\\')))
            return token;
        rest = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
    }
    return QString();
}

RtfDocument RtfReader::readFragment(QStringView fragment) {
    QString document = QStringLiteral("{\\rtf1 ");
    document += fragment;
    return readDocument(QStringView(document));
}

} // namespace vantrel::output
