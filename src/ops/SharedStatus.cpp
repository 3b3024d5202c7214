#include "ops/SharedStatus.h"

#include "text/MessageTexts.h"

namespace vantrel::ops {

namespace res = output::res;

SharedStatus::SharedStatus()
    : m_text(output::text(res::kReady)) {}

QString SharedStatus::paneText() const {
    return output::fill(res::kStatusPaneFormat, output::text(res::kStatusLabel), get());
}

} // namespace vantrel::ops
