#include "cli/pdf/QtPdfPages.h"

#include "print/ResultPagePrinter.h"
#include "text/MessageTexts.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>

namespace vantrel::cli {

namespace {

// The dots per inch the text is laid out for: the screen's, as in the Results window.
double layoutDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

QtPdfPages::QtPdfPages()
    : m_dpi(layoutDpi())
    , m_writer(m_document, m_dpi) {}

void QtPdfPages::append(const output::RtfDocument& fragment, output::ResultKind kind) {
    m_writer.append(fragment, m_presenter.formatFor(kind));
}

QString QtPdfPages::writeTo(const QString& path) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QStringLiteral("Vantrel"));
        writer.setCreator(QStringLiteral("Vantrel"));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        const auto copy = output::ResultPagePrinter::copyOf(m_document);
        switch (output::ResultPagePrinter::print(*copy, m_dpi, writer)) {
        case output::ResultPagePrinter::Outcome::Printed:
            break;
        case output::ResultPagePrinter::Outcome::TooTall:
            return output::text(output::res::kPrintTooLarge);
        case output::ResultPagePrinter::Outcome::Failed:
            return QStringLiteral("the pages could not be laid out");
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace vantrel::cli
