// merovan-sim: a simulated fiscal register for tests, demos and host
// integrators. See docs/simulator.md.

#include "line_file.h"
#include "posix_error.h"
#include "pty_link.h"
#include "register_model.h"
#include "responder.h"
#include "serial_device.h"
#include "serial_front_end.h"
#include "session.h"
#include "sim_options.h"
#include "stop_signals.h"
#include "udp_front_end.h"

#include <cstdio>

using namespace merovan::sim;

namespace {

// Scripts wait for this line before they start the bridge.
void announce(const QString &where)
{
    std::printf("merovan-sim: ready on %s\n", qPrintable(where));
    std::fflush(stdout);
}

int failed(const QString &error)
{
    warn(error);
    return 1;
}

int serve(const SimOptions &options, Session &session, const StopSignals &stop)
{
    QString error;
    switch (options.link) {
    case SimOptions::Link::Udp: {
        UdpFrontEnd udp;
        if (!udp.open(options.udpAddress, options.udpPort, error))
            return failed(error);
        announce(QStringLiteral("udp %1:%2").arg(options.udpAddress).arg(options.udpPort));
        return udp.run(session, stop);
    }
    case SimOptions::Link::Pty: {
        PtyLink pty;
        if (!pty.open(options.ptyPath, error))
            return failed(error);
        announce(QStringLiteral("pty %1 -> %2").arg(options.ptyPath, pty.slaveName()));
        return runSerial(pty.masterFd(), session, stop);
    }
    case SimOptions::Link::Serial: {
        SerialDevice device;
        if (!device.open(options.serialDevice, options.baud, error))
            return failed(options.serialDevice + QStringLiteral(": ") + error);
        announce(QStringLiteral("serial %1 at %2 baud").arg(options.serialDevice).arg(options.baud));
        return runSerial(device.fd(), session, stop);
    }
    }
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedOptions parsed = parseSimOptions(arguments);
    if (parsed.help) {
        std::fputs(qPrintable(simUsage()), stdout);
        return 0;
    }
    if (parsed.version) {
        std::fputs("merovan-sim " MEROVAN_VERSION "\n", stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "merovan-sim: %s\n%s", qPrintable(parsed.error), qPrintable(simUsage()));
        return 2;
    }
    const SimOptions &options = parsed.options;

    LineFile trace;
    LineFile paper;
    if (!trace.open(options.tracePath))
        return failed(QStringLiteral("cannot write the trace file ") + options.tracePath);
    if (!paper.open(options.paperPath))
        return failed(QStringLiteral("cannot write the paper file ") + options.paperPath);

    RegisterModel model(options.firmware);
    for (auto it = options.terminals.cbegin(); it != options.terminals.cend(); ++it)
        model.attachTerminal(it.key(), it.value());
    model.setStatusError(options.statusError);
    model.setStatusAsError(options.statusAsError);
    Responder responder(options, model);
    Session session(responder, trace, paper);
    const StopSignals stop;
    return serve(options, session, stop);
}
