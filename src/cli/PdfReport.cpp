#include "cli/PdfReport.h"

#include "output/RtfReader.h"

namespace vantrel::cli {

PdfReport::PdfReport(std::unique_ptr<PdfPages> pages)
    : m_pages(std::move(pages)) {}

void PdfReport::showResult(const QString& fragment, output::ResultKind kind) {
    m_pages->append(output::RtfReader::readFragment(fragment), kind);
}

} // namespace vantrel::cli
