#include "rtf/RtfText.h"

#include "rtf/Windows1252.h"

namespace vantrel::output {
namespace {

void appendHexByte(QString& out, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += QLatin1String("\\'");
    out += QLatin1Char(kDigits[byte >> 4]);
    out += QLatin1Char(kDigits[byte & 0x0F]);
}

bool isControl(char16_t unit) {
    return unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit <= 0x9F);
}

} // namespace

void appendEscapedNonAscii(QString& out, char16_t unit) {
    if (auto byte = toWindows1252(unit)) {
        appendHexByte(out, *byte);
        return;
    }
    out += QLatin1String("\\u");
    out += QString::number(int(std::int16_t(unit)));
    out += QLatin1Char('?');
}

RtfText RtfText::escape(QStringView outside) {
    QString out;
    out.reserve(outside.size() + outside.size() / 8);
    for (qsizetype i = 0; i < outside.size(); ++i) {
        const char16_t unit = outside[i].unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += QLatin1Char('\\');
            out += QChar(unit);
        } else if (isControl(unit)) {
            out += QLatin1Char(' ');
        } else if (unit < 0x80) {
            out += QChar(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < outside.size() &&
                   QChar::isLowSurrogate(outside[i + 1].unicode())) {
            appendEscapedNonAscii(out, unit); // a pair is written as its two halves, as RTF wants
            appendEscapedNonAscii(out, outside[++i].unicode());
        } else if (QChar::isSurrogate(unit)) {
            out += QLatin1Char('?'); // half a pair means nothing to any reader
        } else {
            appendEscapedNonAscii(out, unit);
        }
    }
    return RtfText(std::move(out));
}

} // namespace vantrel::output
