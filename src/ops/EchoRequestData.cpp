#include "ops/EchoRequestData.h"

#include "rtf/Windows1252.h"

namespace vantrel::ops {

std::vector<std::byte> echoRequestData(const QString& text) {
    std::vector<std::byte> data;
    data.reserve(std::size_t(text.size()) + 2);
    for (const QChar c : text) {
        const auto byte = std::byte(c.unicode() & 0xff);
        if (byte == std::byte{0})
            break;
        data.push_back(byte);
    }
    data.push_back(std::byte{0});
    data.push_back(std::byte{0});
    return data;
}

QString pingDataText(const QString& pingString) {
    constexpr qsizetype kLongestData = 5000;
    return pingString.size() > kLongestData ? QStringLiteral("Yiv") : pingString;
}

QString returnedDataText(const std::byte* data, std::size_t size) {
    QString text;
    for (std::size_t i = 0; i < size && data[i] != std::byte{0}; ++i)
        text += QChar(output::fromWindows1252(std::uint8_t(data[i])));
    return text;
}

} // namespace vantrel::ops
