#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <system_error>
#include <type_traits>

namespace vantrel::output {

// Why a file is not a log that can be added to. Such a file is never written into.
enum class LogFault {
    NotRtf = 1, // it does not begin as an RTF document
    Unclosed, // its document is not closed at the end of the file (cut short, or written by another program)
    ClosedEarly, // the file goes on after its document's closing brace
    // Not a regular file on a real file system (LogTargetCheck):
    Folder,
    Device,
    Pipe,
    Socket,
    KernelFile, // a file of proc, sys or another of the kernel's interfaces
};

const std::error_category& logFaultCategory();
std::error_code make_error_code(LogFault fault);

// Follows a file's bytes, fed in order, to tell whether they are empty or one RTF document that closes
// exactly at the last byte (so that a piece can replace that byte). Escaped braces do not count.
class LogDocumentCheck {
public:
    void feed(QByteArrayView bytes);
    // The fault found in all that was fed; none for an empty file or one complete document.
    std::error_code result() const;

private:
    QByteArray m_start;
    std::int64_t m_depth = 0;
    bool m_escaped = false;
    bool m_closed = false;
    bool m_beyondEnd = false;
};

} // namespace vantrel::output

template <> struct std::is_error_code_enum<vantrel::output::LogFault> : std::true_type {};
