#pragma once

#include "rows/ResultView.h"

#include <memory>

namespace vantrel::cli {

struct CliContext;

// The terminal's view of appended fragments: readable text, or with --rtf each fragment as it is.
std::unique_ptr<output::ResultView> makeResultView(CliContext& context);

} // namespace vantrel::cli
