#include "rows/RowLine.h"

#include "rtf/RtfFragment.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfText.h"

#include <charconv>
#include <fmt/printf.h>
#include <unordered_map>

namespace vantrel::output {

namespace {

constexpr char16_t kFirstMark = 0xE000; // private use: never in a catalogue text

bool isMark(char16_t unit) {
    return unit >= kFirstMark && unit < kFirstMark + RowLine::kMaxValues;
}

bool isControl(char16_t unit) {
    return unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit <= 0x9F);
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The catalogue's lines by the address of their text, and the composed ones by their text.
class LineRegistry {
public:
    static LineRegistry& instance() {
        static LineRegistry registry;
        return registry;
    }

    template <typename Key, typename Make> const RowLine& find(auto& map, const Key& key, Make make) {
        std::lock_guard lock(m_mutex);
        auto found = map.find(key);
        if (found == map.end())
            found = map.emplace(key, make()).first;
        return *found->second;
    }

    std::unordered_map<const char*, std::unique_ptr<RowLine>> byAddress;
    std::unordered_map<std::string, std::unique_ptr<RowLine>> byText;

private:
    std::mutex m_mutex;
};

// Drops the runs a value left empty and joins neighbours of one format, as the reader does.
void tidy(std::vector<TextRun>& runs) {
    const auto tidied = [&] {
        for (std::size_t i = 0; i < runs.size(); ++i)
            if (runs[i].text.isEmpty() || (i > 0 && runs[i - 1].sameFormat(runs[i])))
                return false;
        return true;
    };
    if (tidied())
        return;
    std::vector<TextRun> kept;
    kept.reserve(runs.size());
    for (TextRun& run : runs) {
        if (run.text.isEmpty())
            continue;
        if (!kept.empty() && kept.back().sameFormat(run))
            kept.back().text += run.text;
        else
            kept.push_back(std::move(run));
    }
    runs = std::move(kept);
}

// Puts the values' texts in place of their marks, with one allocation; false for a text without marks.
bool fillMarks(QString& text, const std::array<QStringView, RowLine::kMaxValues>& shown) {
    const QStringView marked(text);
    const auto first =
        std::find_if(marked.begin(), marked.end(), [](QChar c) { return isMark(c.unicode()); });
    if (first == marked.end())
        return false;
    qsizetype size = marked.size();
    for (auto at = first; at != marked.end(); ++at)
        if (isMark(at->unicode()))
            size += shown[at->unicode() - kFirstMark].size() - 1;
    QString filled(size, Qt::Uninitialized);
    QChar* out = filled.data();
    const auto put = [&](QStringView part) { out = std::copy(part.begin(), part.end(), out); };
    qsizetype from = 0;
    for (qsizetype i = first - marked.begin(); i < marked.size(); ++i) {
        const char16_t unit = marked[i].unicode();
        if (!isMark(unit))
            continue;
        put(marked.sliced(from, i - from));
        put(shown[unit - kFirstMark]);
        from = i + 1;
    }
    put(marked.sliced(from));
    text = std::move(filled);
    return true;
}

// A number in decimal, as QString::number writes it, in `digits`.
template <typename Number> QStringView decimal(Number number, RowLine::Digits& digits) {
    char ascii[std::tuple_size_v<RowLine::Digits>];
    const char* end = std::to_chars(std::begin(ascii), std::end(ascii), number).ptr;
    const auto last = std::copy(static_cast<const char*>(ascii), end, digits.begin());
    return QStringView(digits.data(), last - digits.begin());
}

} // namespace

const RowLine& RowLine::of(std::string_view catalogueText) {
    LineRegistry& registry = LineRegistry::instance();
    return registry.find(registry.byAddress, catalogueText.data(),
                         [&] { return std::unique_ptr<RowLine>(new RowLine(std::string(catalogueText))); });
}

const RowLine& RowLine::composed(const std::string& text) {
    LineRegistry& registry = LineRegistry::instance();
    return registry.find(registry.byText, text, [&] { return std::unique_ptr<RowLine>(new RowLine(text)); });
}

RowLine::RowLine(std::string text)
    : m_text(std::move(text)) {
    std::string literal;
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] != '%') {
            literal += m_text[i];
            continue;
        }
        if (i + 1 < m_text.size() && m_text[i + 1] == '%') {
            literal += '%';
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < m_text.size() &&
               std::string_view("-+ #0123456789.").find(m_text[end]) != std::string_view::npos)
            ++end;
        if (end >= m_text.size() || std::string_view("sudf").find(m_text[end]) == std::string_view::npos ||
            m_conversions.size() == kMaxValues) {
            literal += m_text[i]; // not a conversion the catalogue uses: kept as text
            continue;
        }
        m_literals.push_back(fromUtf8(literal));
        literal.clear();
        m_conversions.push_back({m_text[end], m_text.substr(i, end - i + 1)});
        i = end;
    }
    m_literals.push_back(fromUtf8(literal));
    balanceLiterals();
}

QString RowLine::markedText() const {
    QString marked = m_literals.front();
    for (std::size_t i = 0; i < m_conversions.size(); ++i) {
        marked += QChar(char16_t(kFirstMark + i));
        marked += m_literals[i + 1];
    }
    return marked;
}

void RowLine::balanceLiterals() {
    // A value is escaped and so never opens or closes a group: balancing the line once with a mark for
    // each value balances every row of it, as the log and the views need it.
    const QString balanced = balancedFragment(markedText());
    std::vector<QString> literals(1);
    for (const QChar c : balanced) {
        if (isMark(c.unicode()))
            literals.emplace_back();
        else
            literals.back() += c;
    }
    if (literals.size() == m_literals.size())
        m_literals = std::move(literals);
}

QString RowLine::valueText(std::size_t index, const RowValue& value, bool escaped) const {
    const Conversion& conversion = m_conversions[index];
    const bool plain = conversion.spec.size() == 2;
    try {
        if (const auto* text = std::get_if<QString>(&value)) {
            const QString shown = escaped ? RtfText::escape(*text).rtf() : shownText(*text);
            return plain ? shown : QString::fromStdString(fmt::sprintf(conversion.spec, shown.toStdString()));
        }
        if (const auto* number = std::get_if<unsigned>(&value))
            return plain && conversion.type == 'u'
                       ? QString::number(*number)
                       : QString::fromStdString(fmt::sprintf(conversion.spec, *number));
        if (const auto* number = std::get_if<int>(&value))
            return plain && conversion.type == 'd'
                       ? QString::number(*number)
                       : QString::fromStdString(fmt::sprintf(conversion.spec, *number));
        return QString::fromStdString(fmt::sprintf(conversion.spec, std::get<double>(value)));
    } catch (const fmt::format_error&) {
        return fromUtf8(conversion.spec); // a value of the wrong kind, as the filled text would show it
    }
}

QStringView RowLine::shownValue(std::size_t index, const RowValue& value, QString& text,
                                Digits& digits) const {
    const char type = m_conversions[index].type;
    if (m_conversions[index].spec.size() == 2) {
        if (const auto* number = std::get_if<unsigned>(&value); number && type == 'u')
            return decimal(*number, digits);
        if (const auto* number = std::get_if<int>(&value); number && type == 'd')
            return decimal(*number, digits);
    }
    text = valueText(index, value, false);
    return text;
}

QString RowLine::rtf(std::span<const RowValue> values) const {
    QString out = m_literals.front();
    for (std::size_t i = 0; i < m_conversions.size(); ++i) {
        if (i < values.size())
            out += valueText(i, values[i], true);
        out += m_literals[i + 1];
    }
    return out;
}

const RtfDocument& RowLine::templateDocument() const {
    std::call_once(m_read, [this] { m_template = RtfReader::readFragment(markedText()); });
    return m_template;
}

RtfDocument RowLine::document(std::span<const RowValue> values) const {
    RtfDocument document = templateDocument();
    if (m_conversions.empty())
        return document;
    std::array<QString, kMaxValues> texts;
    std::array<Digits, kMaxValues> digits;
    std::array<QStringView, kMaxValues> shown;
    for (std::size_t i = 0; i < m_conversions.size() && i < values.size(); ++i)
        shown[i] = shownValue(i, values[i], texts[i], digits[i]);
    const auto fillRuns = [&](std::vector<TextRun>& runs) {
        bool changed = false;
        for (TextRun& run : runs) {
            changed |= fillMarks(run.text, shown);
            if (fillMarks(run.link, shown)) {
                // The target is what the field's instruction names once the value stands in it.
                run.link = RtfReader::hyperlinkTarget(QStringLiteral("HYPERLINK ") + run.link);
                changed = true;
            }
        }
        if (changed)
            tidy(runs);
    };
    for (RtfBlock& block : document.blocks) {
        if (auto* paragraph = std::get_if<Paragraph>(&block)) {
            fillRuns(paragraph->runs);
        } else {
            for (TableCell& cell : std::get<TableRow>(block).cells)
                fillRuns(cell.runs);
        }
    }
    // Text that no \par ended is a paragraph only when there is some.
    if (!document.blocks.empty()) {
        const auto* last = std::get_if<Paragraph>(&document.blocks.back());
        if (last && !last->ended && last->runs.empty())
            document.blocks.pop_back();
    }
    return document;
}

QString RowLine::shownText(const QString& outside) {
    // The copy shares the text until a unit has to change, which is rare.
    QString shown = outside;
    const QStringView text(outside);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (isControl(unit)) {
            shown[i] = QLatin1Char(' ');
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            shown[i] = QLatin1Char('?');
        }
    }
    return shown;
}

} // namespace vantrel::output
