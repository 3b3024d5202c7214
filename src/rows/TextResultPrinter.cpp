#include "rows/TextResultPrinter.h"

namespace vantrel::output {

TextResultPrinter::TextResultPrinter(Writer writer, TextRenderer renderer)
    : m_writer(std::move(writer))
    , m_renderer(renderer) {}

void TextResultPrinter::showResult(const ShownRow& row) {
    const QString text = m_renderer.render(row.document());
    if (!text.isEmpty())
        m_writer(text);
}

} // namespace vantrel::output
