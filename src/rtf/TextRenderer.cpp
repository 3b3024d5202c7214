#include "rtf/TextRenderer.h"

#include "rtf/RtfReader.h"

#include <QStringList>
#include <algorithm>

namespace vantrel::output {
namespace {

void chopTrailingBlanks(QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    line.truncate(end);
}

// Appends a cell's text on one line: line breaks and tabs become blanks, outer blanks go. Written in
// place, as it runs for every row a terminal shows.
void appendCellText(QString& line, const TableCell& cell) {
    const qsizetype from = line.size();
    for (const TextRun& run : cell.runs)
        line += run.text;
    qsizetype first = from;
    while (first < line.size() && line[first].isSpace())
        ++first;
    qsizetype end = line.size();
    while (end > first && line[end - 1].isSpace())
        --end;
    line.truncate(end);
    line.remove(from, first - from);
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\n') || line[i] == QLatin1Char('\t'))
            line[i] = QLatin1Char(' ');
    }
}

} // namespace

TextRenderer::TextRenderer(int twipsPerCharacter)
    : m_twipsPerCharacter(std::max(1, twipsPerCharacter)) {}

QString TextRenderer::renderRow(const TableRow& row) const {
    QString line;
    line.reserve(row.cells.empty() ? 0 : row.cells.back().rightEdge / m_twipsPerCharacter + 16);
    int left = 0; // the cell's left edge, in twips
    for (const TableCell& cell : row.cells) {
        const qsizetype start = left / m_twipsPerCharacter;
        if (line.size() < start)
            line += QString(start - line.size(), QLatin1Char(' '));
        else if (!line.isEmpty())
            line += QLatin1Char(' '); // an overlong cell pushes this one, by one blank only
        appendCellText(line, cell);
        left = std::max(left, cell.rightEdge);
    }
    chopTrailingBlanks(line);
    return line;
}

QString TextRenderer::render(const RtfDocument& document) const {
    QString out;
    for (const RtfBlock& block : document.blocks) {
        if (const auto* row = std::get_if<TableRow>(&block)) {
            out += renderRow(*row);
            out += QLatin1Char('\n');
            continue;
        }
        const auto& paragraph = std::get<Paragraph>(block);
        const QString text = runsText(paragraph.runs);
        for (QString line : text.split(QLatin1Char('\n'))) {
            chopTrailingBlanks(line);
            out += line;
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QString TextRenderer::renderFragment(QStringView fragment) const {
    return render(RtfReader::readFragment(fragment));
}

} // namespace vantrel::output
