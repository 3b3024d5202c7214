#include "rows/ShownRow.h"

#include "rtf/RtfReader.h"

#include <algorithm>

namespace vantrel::output {

const QString& ShownRow::rtf() const {
    if (!m_rtf)
        m_rtf = m_row ? m_row->rtf() : QString();
    return *m_rtf;
}

const RtfDocument& ShownRow::document() const {
    if (!m_document)
        m_document = m_row ? m_row->document() : RtfReader::readFragment(*m_rtf);
    return *m_document;
}

bool ShownRow::isTableRow() const {
    const std::vector<RtfBlock>& blocks = document().blocks;
    return std::any_of(blocks.begin(), blocks.end(),
                       [](const RtfBlock& block) { return std::holds_alternative<TableRow>(block); });
}

} // namespace vantrel::output
