#include "log/LogDocumentCheck.h"

#include "text/MessageTexts.h"

#include <string>

namespace vantrel::output {
namespace {

constexpr QByteArrayView kDocumentStart = "{\\rtf1";

class LogFaultCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "log file"; }
    std::string message(int value) const override {
        switch (LogFault(value)) {
        case LogFault::NotRtf:
            return text(res::kLogNotRtf).toStdString();
        case LogFault::Unclosed:
            return text(res::kLogUnclosed).toStdString();
        case LogFault::ClosedEarly:
            return text(res::kLogClosedEarly).toStdString();
        case LogFault::Folder:
            return text(res::kLogIsFolder).toStdString();
        case LogFault::Device:
            return text(res::kLogIsDevice).toStdString();
        case LogFault::Pipe:
            return text(res::kLogIsPipe).toStdString();
        case LogFault::Socket:
            return text(res::kLogIsSocket).toStdString();
        case LogFault::KernelFile:
            return text(res::kLogIsKernelFile).toStdString();
        }
        return text(res::kFileGenericError).toStdString();
    }
};

} // namespace

const std::error_category& logFaultCategory() {
    static const LogFaultCategory category;
    return category;
}

std::error_code make_error_code(LogFault fault) {
    return {int(fault), logFaultCategory()};
}

void LogDocumentCheck::feed(QByteArrayView bytes) {
    if (m_start.size() < kDocumentStart.size())
        m_start += bytes.first(std::min(bytes.size(), kDocumentStart.size() - m_start.size()));
    for (const char c : bytes) {
        if (m_closed) {
            m_beyondEnd = true;
            return;
        }
        if (m_escaped) {
            m_escaped = false;
        } else if (c == '\\') {
            m_escaped = true;
        } else if (c == '{') {
            ++m_depth;
        } else if (c == '}' && --m_depth == 0) {
            m_closed = true;
        }
    }
}

std::error_code LogDocumentCheck::result() const {
    if (m_start.isEmpty())
        return {};
    if (m_start != kDocumentStart)
        return LogFault::NotRtf;
    if (m_beyondEnd)
        return LogFault::ClosedEarly;
    if (!m_closed)
        return LogFault::Unclosed;
    return {};
}

} // namespace vantrel::output
