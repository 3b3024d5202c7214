#include "cli/TerminalOutput.h"

#include <unistd.h>

namespace vantrel::cli {

namespace {

void write(std::FILE* stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stream);
    std::fflush(stream);
}

} // namespace

void StdioOutput::out(const QString& text) {
    write(stdout, text);
}

void StdioOutput::err(const QString& text) {
    write(stderr, text);
}

bool StdioOutput::outIsTerminal() const {
    return ::isatty(STDOUT_FILENO) == 1;
}

} // namespace vantrel::cli
