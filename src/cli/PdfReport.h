#pragma once

#include "output/KindPresenter.h"
#include "output/ResultDocumentWriter.h"
#include "output/ResultView.h"

#include <QTextDocument>

namespace vantrel::cli {

// For --pdf: the fragments laid out as the Results window shows them, printed at the end to a PDF file
// as Print lays out pages.
class PdfReport final : public output::ResultView {
public:
    PdfReport();

    void showResult(const output::ShownRow& row) override;

    // Writes the pages to path, replacing it only once the file is complete; an error text when it
    // cannot, and then path is left as it was.
    QString writeTo(const QString& path);

private:
    QTextDocument m_document;
    double m_dpi;
    output::ResultDocumentWriter m_writer;
    output::KindPresenter m_presenter;
};

} // namespace vantrel::cli
