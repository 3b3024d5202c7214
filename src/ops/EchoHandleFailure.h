#pragma once

#include "output/StringResource.h"

#include <QString>

namespace vantrel::ops {

// The message of a worker that could not create its echo handle (shown in a standard message box with the
// exclamation icon): the worker's own text, then how to let the program send echo requests.
QString echoHandleFailureMessage(const output::TextTemplate<>& workerText);

} // namespace vantrel::ops
