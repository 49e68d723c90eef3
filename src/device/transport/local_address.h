#pragma once

#include <QString>
#include <QStringList>

namespace merovan {

// The first local IPv4 address, in interface order, that names a real
// interface (none of "127.0.0.1", "0.0.0.1", "0.0.0.0"); empty text when
// there is none. Only informative (the UDP transport binds every address),
// so a failure to list the interfaces also gives empty text.
QString findLocalAddress();

// The choice findLocalAddress makes among dotted addresses.
QString firstUsableLocalAddress(const QStringList &addresses);

} // namespace merovan
