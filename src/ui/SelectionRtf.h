#pragma once

#include "print/PageColours.h"

#include <QByteArray>

class QTextCursor;

namespace vantrel::ui {

// The selected part of the Results window as one RTF document, for the clipboard: paragraphs with
// their runs' boldness, underlining and colours, and whole table rows as RTF rows with their cells'
// edges, shading and borders (`twipsPerPixel` turns the view's pixels back into twips), in the rows' own
// colours whatever page `shownOn` they were shown on.
QByteArray selectionRtf(const QTextCursor& selection, double twipsPerPixel,
                        const output::PageColours& shownOn = {});

} // namespace vantrel::ui
