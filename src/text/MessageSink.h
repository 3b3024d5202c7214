#pragma once

#include <QString>

namespace vantrel::output {

enum class MessageIcon { Information = 1, Warning = 2, Error = 3 };

// The program's modal message box, as the front end shows it (a dialog in the GUI, standard error in the
// command line, a recorder in tests).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessageBox(const QString& caption, const QString& text, MessageIcon icon) = 0;
};

} // namespace vantrel::output
