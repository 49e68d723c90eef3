#include "device/connection.h"
#include "device/transport/serial_transport.h"
#include "device/transport/udp_transport.h"

namespace merovan {

TransportFactory defaultTransports()
{
    return [](TransportKind kind) -> std::unique_ptr<Transport> {
        if (kind == TransportKind::Serial)
            return std::make_unique<SerialTransport>();
        return std::make_unique<UdpTransport>();
    };
}

} // namespace merovan
