#pragma once

#include <QString>

namespace merovan {

// The device behind a register port name "comN" (N from 1 up): the path in
// the environment variable MEROVAN_COMN when it is set (a USB adapter, a
// pseudo-terminal), else the platform's Nth serial port. Empty text for any
// other name, so that opening it fails like an absent port.
QString serialDeviceName(const QString &portName);

} // namespace merovan
