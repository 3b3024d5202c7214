#include "output/TextResultPrinter.h"

namespace vantrel::output {

TextResultPrinter::TextResultPrinter(Writer writer, TextRenderer renderer)
    : m_writer(std::move(writer))
    , m_renderer(renderer) {}

void TextResultPrinter::showResult(const QString& fragment, ResultKind) {
    const QString text = m_renderer.renderFragment(fragment);
    if (!text.isEmpty())
        m_writer(text);
}

} // namespace vantrel::output
