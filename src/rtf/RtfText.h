#pragma once

#include <QString>
#include <QStringView>

namespace vantrel::output {

// Text that may stand inside an RTF fragment as it is. A text from outside the program (a host text, a
// DNS name, returned echo data, an error text) becomes one only through escape(); RTF that the program
// itself made (a filled link template, a fixed label) through markup(). The string templates take their
// text arguments as RtfText, so an outside text cannot reach a fragment unescaped.
class RtfText {
public:
    RtfText() = default;

    // Backslash and braces escaped; characters beyond 7-bit ASCII as \'hh where Windows-1252 has them,
    // else \uN? (N as a signed 16-bit number, the '?' being the fallback for readers without Unicode);
    // control characters become blanks, so no text can end a group, a paragraph or the document.
    static RtfText escape(QStringView outside);

    // RTF that the program wrote itself.
    static RtfText markup(QString programRtf) { return RtfText(std::move(programRtf)); }

    const QString& rtf() const { return m_rtf; }
    bool isEmpty() const { return m_rtf.isEmpty(); }

    bool operator==(const RtfText&) const = default;

private:
    explicit RtfText(QString rtf)
        : m_rtf(std::move(rtf)) {}

    QString m_rtf;
};

// Appends the escaped form of one UTF-16 code unit that is not 7-bit ASCII (used by the log writer for
// fragments that carry such characters).
void appendEscapedNonAscii(QString& out, char16_t unit);

} // namespace vantrel::output
