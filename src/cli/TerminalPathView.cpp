#include "cli/TerminalPathView.h"

#include "cli/RecordPrinter.h"
#include "cli/TerminalOutput.h"
#include "ops/PathReport.h"
#include "rtf/TextRenderer.h"

#include <QStringList>

namespace vantrel::cli {

void TerminalPathView::showPathSnapshot(const ops::PathSnapshot& snapshot) {
    if (m_stream)
        streamRound(snapshot);
    if (!m_live)
        return;
    if (snapshot.final)
        erase();
    else
        draw(snapshot);
}

void TerminalPathView::draw(const ops::PathSnapshot& snapshot) {
    QString text = QStringLiteral("%1 (%2), round %3\n")
                       .arg(snapshot.host, QString::fromStdString(snapshot.target.text()))
                       .arg(snapshot.rounds);
    const output::TextRenderer renderer;
    for (const output::ResultRow& row : ops::pathTableRows(snapshot))
        text += renderer.render(row.document());
    QString frame = m_drawnLines > 0 ? QStringLiteral("\x1b[%1A\r").arg(m_drawnLines) : QString();
    m_drawnLines = 0;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        frame += line + QStringLiteral("\x1b[K\n");
        ++m_drawnLines;
    }
    m_output.out(frame + QStringLiteral("\x1b[J"));
}

void TerminalPathView::erase() {
    if (m_drawnLines > 0)
        m_output.out(QStringLiteral("\x1b[%1A\r\x1b[J").arg(m_drawnLines));
    m_drawnLines = 0;
}

void TerminalPathView::streamRound(const ops::PathSnapshot& snapshot) {
    if (m_round && m_round->rounds < snapshot.rounds)
        m_stream->printRound(m_round->rounds, m_round->targetAnswered, ops::pathTableRecords(*m_round));
    m_round = snapshot;
    if (snapshot.final)
        m_stream->printRound(snapshot.rounds, snapshot.targetAnswered, ops::pathTableRecords(snapshot));
}

} // namespace vantrel::cli
