#pragma once

class QFile;

namespace merovan {

// Waits until what was written to the open file is on the disk, as a crash
// or a power cut will find it (platform file).
bool syncToDisk(QFile &file);

} // namespace merovan
