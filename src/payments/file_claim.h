#pragma once

namespace merovan {

// Claims a file opened for reading and writing, by its descriptor, for as
// long as the descriptor stays open. False when the file may not be written
// by anyone (a read-only file, which stops even an administrator) or when
// another program, or another open handle, holds a lock on it. One
// implementation per platform (file_claim_posix.cpp).
bool claimFile(int descriptor);

} // namespace merovan
