#pragma once

#include "cli/PdfPages.h"
#include "print/ResultDocumentWriter.h"
#include "rows/KindPresenter.h"

#include <QTextDocument>

namespace vantrel::cli {

// The PDF module's pages: the fragments laid out as the Results window shows them, printed to a PDF file
// as Print lays out pages.
class QtPdfPages final : public PdfPages {
public:
    QtPdfPages();

    void append(const output::RtfDocument& fragment, output::ResultKind kind) override;
    QString writeTo(const QString& path) override;

private:
    QTextDocument m_document;
    double m_dpi;
    output::ResultDocumentWriter m_writer;
    output::KindPresenter m_presenter;
};

} // namespace vantrel::cli
