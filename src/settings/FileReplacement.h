#pragma once

#include <QString>
#include <optional>

namespace vantrel::settings {

// Why a file could not be replaced: the system's error number and the text that explains it.
struct FileProblem {
    int code = 0;
    QString text;
};

// Writes a file whole or not at all. The new content goes into a temporary file of its own (a unique
// name, created exclusively) in the target's folder, which takes the target's name only once it is
// complete and on the disk. Only a regular file is ever replaced: a symbolic link is followed to the
// regular file it names, and a folder, device, pipe or socket is refused before anything is written.
// The temporary file is removed on every failure and when the replacement is dropped uncommitted.
class FileReplacement {
public:
    explicit FileReplacement(const QString& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Set when the target is refused or the temporary file could not be made; nothing was written then.
    const std::optional<FileProblem>& problem() const { return m_problem; }
    // The empty temporary file to write the content into.
    const QString& temporaryPath() const { return m_temporary; }
    // Syncs the temporary file, renames it over the target and syncs the folder.
    std::optional<FileProblem> commit();

private:
    void fail(int code);

    QString m_target; // the file the new content replaces, with any symbolic link resolved
    QString m_temporary;
    int m_fd = -1;
    std::optional<FileProblem> m_problem;
};

} // namespace vantrel::settings
