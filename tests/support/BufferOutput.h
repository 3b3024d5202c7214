#pragma once

#include "cli/TerminalOutput.h"

#include <QString>

namespace vantrel::test {

// A terminal that keeps what the command line writes, for tests.
class BufferOutput final : public cli::TerminalOutput {
public:
    void out(const QString& text) override { stdoutText += text; }
    void err(const QString& text) override { stderrText += text; }
    bool outIsTerminal() const override { return false; }

    QString stdoutText;
    QString stderrText;
};

} // namespace vantrel::test
