// libFuzzer target: RtfReader, the fragment balancing and the escaping must take any input. Besides not
// crashing, it checks what the log relies on: a balanced fragment always closes the document exactly at
// its end, balancing is stable, the log's bytes are 7-bit, and escaped text reads back as it was.
#include "rtf/RtfFragment.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfText.h"

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

using namespace vantrel::output;

// Whether text, written over a document's closing brace, closes the document at its last character.
bool closesDocumentAtItsEnd(const QString& text) {
    int depth = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}') && --depth == 0)
            return i == text.size() - 1;
    }
    return false;
}

QString shownText(const RtfDocument& doc) {
    QString text;
    for (const RtfBlock& block : doc.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block))
            text += runsText(paragraph->runs);
    }
    return text;
}

// What escape() promises to keep: everything but control characters (blanks) and half surrogate pairs.
QString expectedAfterEscape(const QString& text) {
    QString expected;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
            expected += QLatin1Char(' ');
        else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                 QChar::isLowSurrogate(text[i + 1].unicode()))
            expected += text.mid(i++, 2);
        else if (QChar::isSurrogate(u))
            expected += QLatin1Char('?');
        else
            expected += QChar(u);
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)RtfReader::readDocument(bytes);

    const QString text = QString::fromUtf8(bytes);
    (void)RtfReader::readFragment(text);

    const QString balanced = balancedFragment(text);
    if (!closesDocumentAtItsEnd(balanced))
        __builtin_trap();
    if (balancedFragment(balanced) != balanced)
        __builtin_trap();
    for (char byte : toRtfBytes(balanced)) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            __builtin_trap();
    }
    (void)RtfReader::readFragment(balanced);

    const QString escaped = RtfText::escape(text).rtf();
    const RtfDocument back = RtfReader::readFragment(QStringLiteral("{") + escaped + QStringLiteral("}}"));
    if (shownText(back) != expectedAfterEscape(text))
        __builtin_trap();
    return 0;
}
