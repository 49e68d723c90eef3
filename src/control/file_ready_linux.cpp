// Linux: another process's open files are visible under /proc as links in
// /proc/PID/fd, with their open flags in /proc/PID/fdinfo; a link is
// matched to the job file by device and inode number, a plain stat, not by
// its text. Locks are tested with fcntl and flock.
#include "control/file_ready.h"

#include <QFile>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace merovan {

namespace {

// The flags with which process pid opened its descriptor fd; -1 unknown.
int openFlags(const char *pid, const char *fd)
{
    char path[2 * sizeof(dirent::d_name) + 32];
    std::snprintf(path, sizeof path, "/proc/%s/fdinfo/%s", pid, fd);
    const int info = ::open(path, O_RDONLY | O_CLOEXEC);
    if (info < 0)
        return -1;
    char text[512];
    const ssize_t n = ::read(info, text, sizeof text - 1);
    ::close(info);
    if (n <= 0)
        return -1;
    text[n] = '\0';
    const char *flags = std::strstr(text, "flags:");
    return flags ? int(std::strtol(flags + 6, nullptr, 8)) : -1;
}

bool holdsForWriting(int fdFolder, const char *pid, const struct stat &target)
{
    DIR *fds = ::fdopendir(fdFolder);
    if (!fds) {
        ::close(fdFolder);
        return false;
    }
    bool writing = false;
    while (const dirent *entry = ::readdir(fds)) {
        struct stat opened {};
        // Follows the link to what is open: a file, a pipe, a socket.
        if (entry->d_name[0] == '.' || ::fstatat(fdFolder, entry->d_name, &opened, 0) != 0 ||
            opened.st_dev != target.st_dev || opened.st_ino != target.st_ino)
            continue;
        const int flags = openFlags(pid, entry->d_name);
        if (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY) {
            writing = true;
            break;
        }
    }
    ::closedir(fds);
    return writing;
}

} // namespace

bool openForWritingElsewhere(const QString &path)
{
    struct stat target {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0)
        return false;
    DIR *processes = ::opendir("/proc");
    if (!processes)
        return false;
    const pid_t self = ::getpid();
    bool writing = false;
    while (const dirent *process = ::readdir(processes)) {
        if (!std::isdigit(static_cast<unsigned char>(process->d_name[0])) || std::atoi(process->d_name) == self)
            continue;
        char fdPath[sizeof(dirent::d_name) + 16];
        std::snprintf(fdPath, sizeof fdPath, "/proc/%s/fd", process->d_name);
        const int fdFolder = ::open(fdPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fdFolder >= 0 && holdsForWriting(fdFolder, process->d_name, target)) {
            writing = true;
            break;
        }
    }
    ::closedir(processes);
    return writing;
}

bool lockedByAnother(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    bool held = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    if (!held) {
        held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        if (!held)
            ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return held;
}

} // namespace merovan
