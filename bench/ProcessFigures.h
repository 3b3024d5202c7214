#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// What a soak watches in a process (this one, or a child by its id), read from /proc.
struct ProcessFigures {
    double residentMb = 0; // now, not the peak: what was given back counts
    double peakMb = 0;     // the most resident since the process started or the peak was last reset
    int fds = 0;
    int threads = 0;

    static ProcessFigures of(const QString& pid = QStringLiteral("self")) {
        ProcessFigures figures;
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                const QList<QByteArray> fields = line.simplified().split(' ');
                if (fields.size() < 2)
                    continue;
                if (fields[0] == "VmRSS:")
                    figures.residentMb = fields[1].toDouble() / 1024.0;
                else if (fields[0] == "VmHWM:")
                    figures.peakMb = fields[1].toDouble() / 1024.0;
                else if (fields[0] == "Threads:")
                    figures.threads = fields[1].toInt();
            }
        }
        figures.fds = int(QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                              .entryList(QDir::NoDotAndDotDot | QDir::System)
                              .size());
        return figures;
    }

    // Starts the peak afresh at the resident memory of now.
    static void resetPeak(const QString& pid = QStringLiteral("self")) {
        QFile clearRefs(QStringLiteral("/proc/%1/clear_refs").arg(pid));
        if (clearRefs.open(QIODevice::WriteOnly))
            clearRefs.write("5");
    }
};
