#include "TemplateSamples.h"

#include "rtf/RtfText.h"

#include <fmt/printf.h>
#include <string>

namespace vantrel::test {

QString fillWithSamples(const output::StringResourceInfo& info, const QString& sampleText) {
    const std::string text(info.text);
    const std::string sample =
        info.isRtf ? output::RtfText::escape(sampleText).rtf().toStdString() : sampleText.toStdString();
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && std::string("0123456789.-+ #lh").find(text[end]) != std::string::npos)
            ++end;
        if (end >= text.size())
            break;
        const std::string spec = text.substr(i, end - i + 1);
        switch (text[end]) {
        case 'u':
            out += fmt::sprintf(spec, 17u);
            break;
        case 'd':
            out += fmt::sprintf(spec, 42);
            break;
        case 'f':
            out += fmt::sprintf(spec, 12.5);
            break;
        case 's':
            out += fmt::sprintf(spec, sample);
            break;
        case '%':
            out += '%';
            break;
        default:
            out += spec;
            break;
        }
        i = end;
    }
    return QString::fromStdString(out);
}

} // namespace vantrel::test
