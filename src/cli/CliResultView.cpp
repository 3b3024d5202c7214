#include "cli/CliResultView.h"

#include "cli/CliCommands.h"
#include "cli/RtfResultPrinter.h"
#include "cli/TerminalOutput.h"
#include "rows/TextResultPrinter.h"

namespace vantrel::cli {

namespace {

// Shows every fragment on the terminal and in the report.
class ReportingView final : public output::ResultView {
public:
    ReportingView(std::unique_ptr<output::ResultView> terminal, output::ResultView& report)
        : m_terminal(std::move(terminal))
        , m_report(report) {}

    void showResult(const output::ShownRow& row) override {
        m_terminal->showResult(row);
        m_report.showResult(row);
    }

private:
    std::unique_ptr<output::ResultView> m_terminal;
    output::ResultView& m_report;
};

// With the results printed as data, standard output holds the data alone; the lines that tell of a failure
// (red, outside the tables) still reach the user, as text on standard error.
class FailureLinesView final : public output::ResultView {
public:
    explicit FailureLinesView(TerminalOutput& terminal)
        : m_text([&terminal](const QString& text) { terminal.err(text); }) {}

    void showResult(const output::ShownRow& row) override {
        const bool red = row.kind() == output::ResultKind::Red || row.kind() == output::ResultKind::RedBold;
        if (red && !row.isTableRow())
            m_text.showResult(row);
    }

private:
    output::TextResultPrinter m_text;
};

std::unique_ptr<output::ResultView> terminalView(CliContext& context) {
    TerminalOutput& terminal = context.output;
    auto write = [&terminal](const QString& text) { terminal.out(text); };
    if (context.format == OutputFormat::Csv || context.format == OutputFormat::Json)
        return std::make_unique<FailureLinesView>(terminal);
    if (context.rtf)
        return std::make_unique<RtfResultPrinter>(write);
    return std::make_unique<output::TextResultPrinter>(write);
}

} // namespace

std::unique_ptr<output::ResultView> makeResultView(CliContext& context) {
    if (context.report)
        return std::make_unique<ReportingView>(terminalView(context), *context.report);
    return terminalView(context);
}

} // namespace vantrel::cli
