// Any bytes as what a bridge sends the simulator: cut into commands by the
// serial splitter and as one datagram, each answered by the register model
// through its command table. A fresh register for each input, so that a
// kept crash input crashes again on its own.
#include "fuzz_support.h"

#include "command_splitter.h"
#include "register_model.h"
#include "responder.h"

using namespace merovan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::scratch();
    sim::RegisterModel model(QStringLiteral("MEROVAN-SIM 1.0"));
    sim::Responder responder(sim::SimOptions{}, model);
    const QByteArray bytes = fuzz::bytesOf(data, size);
    sim::CommandSplitter splitter;
    for (const QByteArray &command : splitter.feed(bytes))
        responder.respond(command);
    responder.respond(sim::datagramCommand(bytes));
    return 0;
}
