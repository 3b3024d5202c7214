#include "ops/HostText.h"

#include "output/MessageTexts.h"

namespace vantrel::ops {

namespace {

constexpr qsizetype kLongestHost = 99;

} // namespace

HostText cleanHostText(const QString& typed) {
    HostText result;
    result.host = typed.trimmed();
    if (result.host.isEmpty()) {
        result.problem = HostText::Problem::Empty;
        return result;
    }
    result.host.remove(output::text(output::res::kWebPrefix), Qt::CaseSensitive);
    if (result.host.size() > kLongestHost)
        result.problem = HostText::Problem::TooLong;
    return result;
}

} // namespace vantrel::ops
