#include "cli/CliResultView.h"

#include "cli/CliCommands.h"
#include "cli/RtfResultPrinter.h"
#include "cli/TerminalOutput.h"
#include "output/TextResultPrinter.h"

namespace vantrel::cli {

std::unique_ptr<output::ResultView> makeResultView(CliContext& context) {
    TerminalOutput& terminal = context.output;
    auto write = [&terminal](const QString& text) { terminal.out(text); };
    if (context.rtf)
        return std::make_unique<RtfResultPrinter>(write);
    return std::make_unique<output::TextResultPrinter>(write);
}

} // namespace vantrel::cli
