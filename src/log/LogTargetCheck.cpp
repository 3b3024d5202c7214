#include "log/LogTargetCheck.h"

#include "log/LogDocumentCheck.h"

#include <QFile>
#include <array>
#include <cerrno>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>

namespace vantrel::output {
namespace {

// File systems whose files are the kernel's switches and reports, not stored data.
constexpr std::array<unsigned long, 17> kKernelFileSystems = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,    DEBUGFS_MAGIC,      TRACEFS_MAGIC,       SECURITYFS_MAGIC,
    SELINUX_MAGIC,    SMACK_MAGIC,    CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, BPF_FS_MAGIC,
    PSTOREFS_MAGIC,   EFIVARFS_MAGIC, BINFMTFS_MAGIC,     NSFS_MAGIC,
    0x62656570, // configfs
    0x65735543, // fusectl
    HUGETLBFS_MAGIC,
};

std::error_code faultOf(const struct stat& info, const struct statfs& fileSystem) {
    if (S_ISDIR(info.st_mode))
        return LogFault::Folder;
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return LogFault::Device;
    if (S_ISFIFO(info.st_mode))
        return LogFault::Pipe;
    if (S_ISSOCK(info.st_mode))
        return LogFault::Socket;
    if (!S_ISREG(info.st_mode))
        return LogFault::Device;
    for (const unsigned long kernel : kKernelFileSystems) {
        if (static_cast<unsigned long>(fileSystem.f_type) == kernel)
            return LogFault::KernelFile;
    }
    return {};
}

} // namespace

std::error_code logTargetFault(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    struct statfs fileSystem {};
    if (::stat(name.constData(), &info) != 0 || ::statfs(name.constData(), &fileSystem) != 0)
        return {}; // missing, or not reachable: the open says why
    return faultOf(info, fileSystem);
}

std::error_code logTargetFault(int fd) {
    struct stat info {};
    struct statfs fileSystem {};
    if (::fstat(fd, &info) != 0 || ::fstatfs(fd, &fileSystem) != 0)
        return std::error_code(errno, std::generic_category());
    return faultOf(info, fileSystem);
}

} // namespace vantrel::output
