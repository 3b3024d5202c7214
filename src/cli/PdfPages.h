#pragma once

#include "rtf/ResultKind.h"
#include "rtf/RtfDocument.h"

#include <QString>

namespace vantrel::cli {

// The pages --pdf writes, laid out as Print lays out the Results window. The PDF module makes them (it
// alone needs Qt Gui), so this side knows no GUI type: it hands over each fragment as read from its RTF.
class PdfPages {
public:
    virtual ~PdfPages() = default;

    // Adds a fragment's blocks at the end, in the look its kind has in the Results window.
    virtual void append(const output::RtfDocument& fragment, output::ResultKind kind) = 0;

    // Writes the pages to path, replacing it only once the file is complete; an error text when it
    // cannot, and then path is left as it was.
    virtual QString writeTo(const QString& path) = 0;
};

} // namespace vantrel::cli
