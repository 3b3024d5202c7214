#pragma once

#include "cli/PdfPages.h"
#include "rows/ResultView.h"

#include <memory>

namespace vantrel::cli {

// For --pdf: the run's rows, as documents, handed to the PDF module's pages and written to a file at the
// end.
class PdfReport final : public output::ResultView {
public:
    explicit PdfReport(std::unique_ptr<PdfPages> pages);

    void showResult(const output::ShownRow& row) override;

    // Writes the pages to path, replacing it only once the file is complete; an error text when it
    // cannot, and then path is left as it was.
    QString writeTo(const QString& path) { return m_pages->writeTo(path); }

private:
    std::unique_ptr<PdfPages> m_pages;
};

} // namespace vantrel::cli
