#include "cli/CliFrontEnd.h"

#include "cli/TerminalOutput.h"

namespace vantrel::cli {

CliFrontEnd::CliFrontEnd(QString host, TerminalOutput& output)
    : m_host(std::move(host))
    , m_output(output) {}

void CliFrontEnd::showMessageBox(const QString& caption, const QString& text, ops::MessageIcon) {
    const QString title = caption.trimmed();
    m_output.err(QStringLiteral("vantrel-cli: %1%2\n")
                     .arg(title.isEmpty() ? QString() : title + QStringLiteral(": "), text));
}

void CliFrontEnd::beep() {
    if (m_output.outIsTerminal())
        m_output.out(QStringLiteral("\a"));
}

} // namespace vantrel::cli
