#include "ops/HostText.h"

#include "net/IpAddress.h"
#include "settings/ControlCharacters.h"
#include "text/MessageTexts.h"

namespace vantrel::ops {

namespace {

constexpr qsizetype kLongestHost = 99;

} // namespace

HostText cleanHostText(const QString& typed) {
    HostText result;
    result.host = typed.trimmed();
    for (const QString& prefix :
         {output::text(output::res::kSecureWebPrefix), output::text(output::res::kWebPrefix)})
        result.host.remove(prefix, Qt::CaseInsensitive);
    const qsizetype path = result.host.indexOf(QLatin1Char('/'));
    if (path >= 0)
        result.host.truncate(path);
    // What is left after the path went may end in blanks ("host /x").
    result.host = result.host.trimmed();
    // An IPv6 address in brackets, as a URL writes it ("[fd00::1]:8080"): the address alone.
    const qsizetype close = result.host.indexOf(QLatin1Char(']'));
    if (result.host.startsWith(QLatin1Char('[')) && close > 1) {
        const QString inside = result.host.mid(1, close - 1);
        if (net::IpAddress::parse(inside.toLocal8Bit().toStdString()))
            result.host = inside;
    }
    if (result.host.isEmpty())
        result.problem = HostText::Problem::Empty;
    else if (settings::containsControlCharacter(result.host))
        result.problem = HostText::Problem::ControlCharacter;
    else if (result.host.size() > kLongestHost)
        result.problem = HostText::Problem::TooLong;
    return result;
}

} // namespace vantrel::ops
