#include "cli/TerminalOutput.h"

#include <cerrno>
#include <unistd.h>

namespace vantrel::cli {

namespace {

// The error that kept the text from its stream, or 0.
int write(std::FILE* stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    errno = 0;
    const bool written =
        std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stream) == std::size_t(utf8.size());
    if (std::fflush(stream) == 0 && written)
        return 0;
    return errno != 0 ? errno : EIO;
}

} // namespace

void StdioOutput::out(const QString& text) {
    if (const int error = write(stdout, text); error != 0 && m_outError == 0)
        m_outError = error;
}

void StdioOutput::err(const QString& text) {
    write(stderr, text);
}

bool StdioOutput::outIsTerminal() const {
    return ::isatty(STDOUT_FILENO) == 1;
}

} // namespace vantrel::cli
