#include "cli/PdfReport.h"

namespace vantrel::cli {

PdfReport::PdfReport(std::unique_ptr<PdfPages> pages)
    : m_pages(std::move(pages)) {}

void PdfReport::showResult(const output::ShownRow& row) {
    m_pages->append(row.document(), row.kind());
}

} // namespace vantrel::cli
