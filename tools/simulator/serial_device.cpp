#include "serial_device.h"

#include "posix_error.h"
#include "raw_line.h"

#include <fcntl.h>

namespace merovan::sim {

bool SerialDevice::open(const QString &device, int baud, QString &error)
{
    fd_ = UniqueFd(::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd_.valid()) {
        error = posixError("open");
        return false;
    }
    return makeRaw(fd_.get(), baud, error);
}

} // namespace merovan::sim
