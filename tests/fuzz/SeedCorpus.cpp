// Writes the fuzzer's seed corpus: every RTF template of the catalogue filled with sample values (plain,
// hostile and non-ASCII), a log as the program writes it, and the folder the fuzzer adds its finds to.
#include "output/TemplateSamples.h"
#include "text/ResultTexts.h"
#include "text/StringResource.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: rtf_seed_corpus SEED_DIR WORK_DIR\n");
        return 2;
    }
    const QString seeds = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(seeds) || !QDir().mkpath(QString::fromLocal8Bit(argv[2])))
        return 1;
    const QString samples[] = {QStringLiteral("10.0.0.1"), QStringLiteral(u"{h\u00e9}\\%s \u0416\U0001F600"),
                               QStringLiteral("WinSock error 11001: Host not found")};
    int count = 0;
    QString log = QStringLiteral("{\\rtf1 \\par ");
    for (const vantrel::output::StringResourceInfo& info : vantrel::output::allStringResources()) {
        if (!info.isRtf)
            continue;
        for (const QString& sample : samples) {
            const QString filled = vantrel::test::fillWithSamples(info, sample);
            QFile file(QStringLiteral("%1/%2-%3.rtf")
                           .arg(seeds)
                           .arg(QString::fromUtf8(info.name.data(), qsizetype(info.name.size())))
                           .arg(++count));
            if (!file.open(QIODevice::WriteOnly) || file.write(filled.toUtf8()) < 0)
                return 1;
            if (filled.endsWith(QLatin1Char('}')))
                log = log.left(log.size() - 1) + filled;
        }
    }
    QFile file(seeds + QStringLiteral("/log.rtf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(log.toUtf8()) < 0)
        return 1;
    std::printf("%d seeds\n", count + 1);
    return 0;
}
