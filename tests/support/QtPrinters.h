#pragma once

// Lets GoogleTest print Qt strings readably in failure messages. Qt's types live in the global
// namespace, so these overloads are found by argument-dependent lookup.
#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << ']';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "0x" << bytes.toHex().toStdString();
}

inline void PrintTo(const QRect& rect, std::ostream* os) {
    *os << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}
