#include "payments/file_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace merovan {

bool claimFile(int descriptor)
{
    // The superuser writes files without write permission; a read-only file
    // is refused here as the read-only attribute refuses it elsewhere.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    // Both lock families are taken: programs lock with one or the other, and
    // on Linux they do not see each other.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0)
        return false;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(descriptor, F_SETLK, &whole) == 0;
}

} // namespace merovan
