#pragma once

#include "rows/ResultView.h"

#include <functional>

namespace vantrel::cli {

// A view for --rtf: every fragment exactly as appended, one a line, after its kind's name and a tab.
class RtfResultPrinter final : public output::ResultView {
public:
    using Writer = std::function<void(const QString&)>;

    explicit RtfResultPrinter(Writer writer)
        : m_writer(std::move(writer)) {}

    void showResult(const output::ShownRow& row) override;

    // The name of a kind, or its number for a value outside the table.
    static QString kindName(output::ResultKind kind);

private:
    Writer m_writer;
};

} // namespace vantrel::cli
