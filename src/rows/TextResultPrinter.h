#pragma once

#include "rows/ResultView.h"
#include "rtf/TextRenderer.h"

#include <QString>
#include <functional>

namespace vantrel::output {

// A view for a terminal: prints every fragment as text through the writer it is given (the command
// line's standard output), with table rows in aligned columns.
class TextResultPrinter final : public ResultView {
public:
    using Writer = std::function<void(const QString&)>;

    explicit TextResultPrinter(Writer writer, TextRenderer renderer = TextRenderer());

    void showResult(const ShownRow& row) override;

private:
    Writer m_writer;
    TextRenderer m_renderer;
};

} // namespace vantrel::output
