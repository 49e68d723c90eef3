#include "core/sync_to_disk.h"

#include <QFile>

#include <unistd.h>

namespace merovan {

bool syncToDisk(QFile &file) { return ::fdatasync(file.handle()) == 0; }

} // namespace merovan
