#pragma once

#include <QByteArray>

class QTextCursor;

namespace vantrel::ui {

// The selected part of the Results window as one RTF document, for the clipboard: paragraphs with
// their runs' boldness, underlining and colours, and whole table rows as RTF rows with their cells'
// edges, shading and borders (`twipsPerPixel` turns the view's pixels back into twips).
QByteArray selectionRtf(const QTextCursor& selection, double twipsPerPixel);

} // namespace vantrel::ui
