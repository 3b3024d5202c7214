#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vantrel::test {

// $XDG_DATA_HOME in a temporary folder for the life of a test: the user's data folder, where a relative
// log name goes, is then folder().
class DataHome {
public:
    DataHome()
        : m_previous(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
    }
    ~DataHome() { qputenv("XDG_DATA_HOME", m_previous); }
    DataHome(const DataHome&) = delete;
    DataHome& operator=(const DataHome&) = delete;

    QString folder() const { return m_dir.path() + QStringLiteral("/Quenlo Software/Vantrel"); }
    QString filePath(const QString& name) const { return folder() + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace vantrel::test
