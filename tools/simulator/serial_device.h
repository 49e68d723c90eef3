#pragma once

#include "unique_fd.h"

#include <QString>

namespace merovan::sim {

// A serial device opened raw at a given speed, 8N1, non-blocking.
class SerialDevice {
public:
    // False, with a reason, when it cannot be opened or set up.
    bool open(const QString &device, int baud, QString &error);

    int fd() const { return fd_.get(); }

private:
    UniqueFd fd_;
};

} // namespace merovan::sim
