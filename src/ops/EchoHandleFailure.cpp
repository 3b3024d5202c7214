#include "ops/EchoHandleFailure.h"

#include "output/MessageTexts.h"

namespace vantrel::ops {

QString echoHandleFailureMessage(const output::TextTemplate<>& workerText) {
    return output::text(workerText) + QLatin1Char('\n') + output::text(output::res::kIcmpAccessHint);
}

} // namespace vantrel::ops
