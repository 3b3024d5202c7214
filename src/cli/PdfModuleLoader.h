#pragma once

#include <QString>
#include <QStringList>

namespace vantrel::cli {

class PdfModule;

// Finds and opens vantrel-cli-pdf.so: in the program's own folder, where a build puts it, or in the
// installed module folder (lib/vantrel beside the program's bin).
class PdfModuleLoader {
public:
    struct Loaded {
        PdfModule* module = nullptr; // stays loaded for the rest of the process
        QString error;               // why not, naming the file
    };

    static constexpr const char* kFileName = "vantrel-cli-pdf.so";

    // The running program's folder, known before the application object exists.
    static QString programDir();

    // The first module found, or an error text.
    static Loaded load(const QString& programDir);

private:
    // Where the module may be, in the order looked at.
    static QStringList candidates(const QString& programDir);
};

} // namespace vantrel::cli
