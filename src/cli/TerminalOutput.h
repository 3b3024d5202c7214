#pragma once

#include <QString>

namespace vantrel::cli {

// Where the command line writes: standard output and standard error, in UTF-8. Tests give it buffers.
class TerminalOutput {
public:
    virtual ~TerminalOutput() = default;
    virtual void out(const QString& text) = 0;
    virtual void err(const QString& text) = 0;
    // Whether standard output is a terminal (for status lines that only make sense there).
    virtual bool outIsTerminal() const = 0;
};

class StdioOutput final : public TerminalOutput {
public:
    void out(const QString& text) override;
    void err(const QString& text) override;
    bool outIsTerminal() const override;
    // The error of the first write to standard output that did not get through (a full disk, a closed
    // reader), or 0: output that never arrived makes the run a failure.
    int outError() const { return m_outError; }

private:
    int m_outError = 0;
};

} // namespace vantrel::cli
