#include "cli/RtfResultPrinter.h"

namespace vantrel::cli {

QString RtfResultPrinter::kindName(output::ResultKind kind) {
    using output::ResultKind;
    switch (kind) {
    case ResultKind::Plain:
        return QStringLiteral("Plain");
    case ResultKind::Red:
        return QStringLiteral("Red");
    case ResultKind::Bold:
        return QStringLiteral("Bold");
    case ResultKind::RedBold:
        return QStringLiteral("RedBold");
    case ResultKind::Blue:
        return QStringLiteral("Blue");
    case ResultKind::HeaderRow:
        return QStringLiteral("HeaderRow");
    case ResultKind::ErrorRow:
        return QStringLiteral("ErrorRow");
    }
    return QString::number(int(kind));
}

void RtfResultPrinter::showResult(const output::ShownRow& row) {
    m_writer(kindName(row.kind()) + QLatin1Char('\t') + row.rtf() + QLatin1Char('\n'));
}

} // namespace vantrel::cli
