#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The socket calls of the UDP transport, one implementation per platform
// (udp_socket_posix.cpp), so that no other file touches the socket API.
namespace merovan::udp {

using Handle = qintptr;
constexpr Handle kInvalid = -1;

// An IPv4 datagram socket, or kInvalid.
Handle openSocket();

// Binds the port on every local address. The address is shared, so that a
// simulator bound to the same port on another loopback address can run
// beside the bridge.
bool bindAllAddresses(Handle socket, quint16 port);

enum class ConnectOutcome { Connected, BadAddress, Failed };

// Fixes the one peer: where datagrams go and the only source accepted.
// BadAddress when the text is not a dotted IPv4 address (a.b.c.d, nothing
// shortened).
ConnectOutcome connectTo(Handle socket, const QString &dottedAddress, quint16 port);

bool sendDatagram(Handle socket, const QByteArray &bytes);

enum class Readiness { Ready, TimedOut, Failed };

// Blocks until a datagram or a pending error can be read, at most waitMs.
Readiness waitReadable(Handle socket, int waitMs);

// One datagram, cut to maxBytes (the rest of a longer one is dropped);
// empty when none is waiting after all; nothing on failure. A failure
// clears the error it reports, so later reads work again.
std::optional<QByteArray> receiveDatagram(Handle socket, qsizetype maxBytes);

void closeSocket(Handle socket);

} // namespace merovan::udp
