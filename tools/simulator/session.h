#pragma once

#include "line_file.h"
#include "responder.h"

#include <QByteArray>

#include <functional>

namespace merovan::sim {

// Handles one command received on any link: writes it to the trace, asks
// the responder, prints the paper lines and sends the reply pieces with
// their delays. The link supplies how bytes go back.
class Session {
public:
    using Send = std::function<void(const QByteArray &bytes)>;

    Session(Responder &responder, LineFile &trace, LineFile &paper);

    void handle(const QByteArray &command, const Send &send);

private:
    Responder &responder_;
    LineFile &trace_;
    LineFile &paper_;
};

} // namespace merovan::sim
