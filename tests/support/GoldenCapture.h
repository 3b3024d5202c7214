#pragma once

#include "cli/RecordPrinter.h"
#include "ops/ResultRecord.h"
#include "rtf/RtfReader.h"
#include "rtf/TextRenderer.h"
#include "support/RecordingResultView.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <vector>

namespace vantrel::test {

// Everything a run showed, as one plain text for a golden file: per fragment its kind, its RTF as the
// view received it, the document the window got and the terminal's text; then the log file's
// bytes and the run's records as CSV and JSON. The one place that knows the view's interface.
namespace golden {

inline QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

inline QString color(const char* name, const std::optional<output::Rgb>& rgb) {
    if (!rgb)
        return {};
    return QStringLiteral(" %1=#%2%3%4")
        .arg(QLatin1String(name))
        .arg(rgb->red, 2, 16, QLatin1Char('0'))
        .arg(rgb->green, 2, 16, QLatin1Char('0'))
        .arg(rgb->blue, 2, 16, QLatin1Char('0'));
}

inline void dumpRuns(QStringList& lines, const std::vector<output::TextRun>& runs, const QString& indent) {
    for (const output::TextRun& run : runs)
        lines.append(indent + QStringLiteral("run ") + quoted(run.text) +
                     (run.bold ? QStringLiteral(" bold") : QString()) +
                     (run.underline ? QStringLiteral(" underline") : QString()) + color("color", run.color) +
                     (run.link.isEmpty() ? QString() : QStringLiteral(" link=") + quoted(run.link)));
}

// One line per block, cell and run, with every format the reader keeps.
inline QStringList dumpDocument(const output::RtfDocument& document) {
    QStringList lines;
    for (const output::RtfBlock& block : document.blocks) {
        if (const auto* paragraph = std::get_if<output::Paragraph>(&block)) {
            lines.append(paragraph->ended ? QStringLiteral("  paragraph")
                                          : QStringLiteral("  paragraph open"));
            dumpRuns(lines, paragraph->runs, QStringLiteral("    "));
            continue;
        }
        lines.append(QStringLiteral("  row"));
        for (const output::TableCell& cell : std::get<output::TableRow>(block).cells) {
            const output::CellBorders& b = cell.borders;
            lines.append(QStringLiteral("    cell rightEdge=%1 borders=%2,%3,%4,%5")
                             .arg(cell.rightEdge)
                             .arg(b.left)
                             .arg(b.top)
                             .arg(b.right)
                             .arg(b.bottom) +
                         color("background", cell.background));
            dumpRuns(lines, cell.runs, QStringLiteral("      "));
        }
    }
    return lines;
}

// The log's bytes, with a line break before the blank after each "\par" and "\row \pard" (the file holds
// none of its own, so none is lost) and any byte outside printable ASCII as \xHH.
inline QString logText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<no log file>\n");
    QString out;
    for (const char byte : file.readAll()) {
        const auto u = static_cast<unsigned char>(byte);
        if (byte == ' ' &&
            (out.endsWith(QLatin1String("\\par")) || out.endsWith(QLatin1String("\\row \\pard"))))
            out += QLatin1Char('\n');
        out += (u < 0x20 || u > 0x7e) ? QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'))
                                      : QString(QLatin1Char(byte));
    }
    return out + QLatin1Char('\n');
}

inline QString recordLines(const std::vector<ops::ResultRecord>& records, cli::RecordPrinter::Format format) {
    QString out;
    cli::RecordPrinter printer(format, [&out](const QString& text) {
        out += text;
        if (!text.endsWith(QLatin1Char('\n')))
            out += QLatin1Char('\n');
    });
    for (const ops::ResultRecord& record : records)
        printer.print(record);
    return out;
}

} // namespace golden

inline QString goldenCapture(const RecordingResultView& view, const QString& logPath,
                             const std::vector<ops::ResultRecord>& records) {
    QString out;
    int number = 0;
    for (const RecordingResultView::Shown& shown : view.shown) {
        out += QStringLiteral("=== fragment %1, kind %2\nrtf: ").arg(++number).arg(int(shown.kind));
        out += shown.fragment + QStringLiteral("\ndocument:\n");
        for (const QString& line : golden::dumpDocument(shown.document))
            out += line + QLatin1Char('\n');
        out += QStringLiteral("text:\n");
        for (const QString& line : output::TextRenderer().render(shown.document).split(QLatin1Char('\n')))
            out += QStringLiteral("  |") + line + QLatin1Char('\n');
    }
    out += QStringLiteral("=== log\n") + golden::logText(logPath);
    out += QStringLiteral("=== csv\n") + golden::recordLines(records, cli::RecordPrinter::Format::Csv);
    out += QStringLiteral("=== json\n") + golden::recordLines(records, cli::RecordPrinter::Format::Json);
    return out;
}

} // namespace vantrel::test
