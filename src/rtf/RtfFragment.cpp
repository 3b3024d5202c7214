#include "rtf/RtfFragment.h"

#include "rtf/RtfText.h"

namespace vantrel::output {
namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isHexDigit(char16_t c) {
    return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether `out` ends in a control word (with or without its number), which a letter or digit written
// next would join.
bool endsInControlWord(const QString& out) {
    qsizetype i = out.size();
    while (i > 0 && isAsciiDigit(out[i - 1].unicode()))
        --i;
    if (i > 0 && out[i - 1] == QLatin1Char('-'))
        --i;
    const qsizetype letters = i;
    while (i > 0 && isAsciiLetter(out[i - 1].unicode()))
        --i;
    if (i == letters || i == 0 || out[i - 1] != QLatin1Char('\\'))
        return false;
    // An odd run of backslashes: the last one starts the word ("\\b" is a backslash, then text).
    qsizetype backslashes = 0;
    while (i > 0 && out[i - 1] == QLatin1Char('\\')) {
        ++backslashes;
        --i;
    }
    return backslashes % 2 == 1;
}

} // namespace

QString balancedFragment(QStringView in) {
    QString out;
    out.reserve(in.size() + 2);
    int depth = 1; // inside the document's outer group
    const qsizetype n = in.size();
    // Something dropped right after a control word must not let what follows join the word: a blank,
    // the word's own delimiter, ends it as the dropped character did. That keeps balancing stable.
    const auto dropped = [&out] {
        if (endsInControlWord(out))
            out += QLatin1Char(' ');
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c == u'\\') {
            if (i + 1 >= n)
                break; // a lone backslash would escape the closing brace
            const char16_t next = in[i + 1].unicode();
            if (next == u'\'') {
                if (i + 3 < n && isHexDigit(in[i + 2].unicode()) && isHexDigit(in[i + 3].unicode())) {
                    out += in.sliced(i, 4);
                    i += 3;
                } else {
                    ++i; // "\'" without two hex digits: dropped, what follows reads as text
                    dropped();
                }
            } else if (isAsciiLetter(next)) {
                qsizetype j = i + 1;
                while (j < n && isAsciiLetter(in[j].unicode()))
                    ++j;
                const QStringView word = in.sliced(i + 1, j - i - 1);
                if (j < n && in[j] == QLatin1Char('-'))
                    ++j;
                while (j < n && isAsciiDigit(in[j].unicode()))
                    ++j;
                if (word == QLatin1String("bin")) {
                    if (j < n && in[j] == QLatin1Char(' '))
                        ++j;
                    dropped();
                } else {
                    out += in.sliced(i, j - i);
                }
                i = j - 1;
            } else if (next == u'\n' || next == u'\r') {
                out += QLatin1String("\\par ");
                ++i;
            } else if (next < 0x20) {
                ++i; // a control symbol made of a control character means nothing
                dropped();
            } else {
                out += in.sliced(i, 2); // a control symbol, \\, \{ and \} among them
                ++i;
            }
        } else if (c == u'{') {
            ++depth;
            out += QChar(c);
        } else if (c == u'}') {
            if (depth > 1) {
                --depth;
                out += QChar(c);
            } else if (i == n - 1) {
                out += QChar(c);
                depth = 0;
            } else {
                dropped(); // it would close the document early
            }
        } else if (c == u'\t') {
            out += QLatin1String("\\tab ");
        } else if (c < 0x20 || c == 0x7F) {
            dropped(); // line breaks and other control characters are no part of a fragment
        } else {
            out += QChar(c);
        }
    }
    for (; depth > 0; --depth)
        out += QLatin1Char('}');
    return out;
}

QByteArray toRtfBytes(QStringView rtf) {
    QByteArray bytes;
    bytes.reserve(rtf.size());
    QString escaped;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char16_t c = rtf[i].unicode();
        if (c < 0x80) {
            bytes += char(c);
            continue;
        }
        escaped.clear();
        if (QChar::isHighSurrogate(c) && i + 1 < rtf.size() && QChar::isLowSurrogate(rtf[i + 1].unicode())) {
            appendEscapedNonAscii(escaped, c);
            appendEscapedNonAscii(escaped, rtf[++i].unicode());
        } else if (QChar::isSurrogate(c)) {
            escaped = QStringLiteral("?");
        } else {
            appendEscapedNonAscii(escaped, c);
        }
        bytes += escaped.toLatin1();
    }
    return bytes;
}

} // namespace vantrel::output
