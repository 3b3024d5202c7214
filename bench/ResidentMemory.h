#pragma once

#include <QDir>
#include <QFile>
#include <unistd.h>

// The process's resident memory now, in megabytes (not its peak: what was given back counts).
inline double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(::sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0;
}

// The process's open files (descriptors) now: sockets, pipes, devices and files alike.
inline int openFiles() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                   .size());
}
