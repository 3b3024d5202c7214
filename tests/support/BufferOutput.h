#pragma once

#include "cli/TerminalOutput.h"

#include <QString>

namespace vantrel::test {

// A terminal that keeps what the command line writes, for tests; standard output counts as a terminal
// when `isTerminal` says so.
class BufferOutput final : public cli::TerminalOutput {
public:
    explicit BufferOutput(bool isTerminal = false)
        : m_isTerminal(isTerminal) {}
    void out(const QString& text) override { stdoutText += text; }
    void err(const QString& text) override { stderrText += text; }
    bool outIsTerminal() const override { return m_isTerminal; }

    QString stdoutText;
    QString stderrText;

private:
    bool m_isTerminal;
};

} // namespace vantrel::test
