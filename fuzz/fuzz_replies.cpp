// Any bytes as the register's reply: the exchange (error replies and their
// texts), the status query, the receipt counters, the table queries, and
// the card answers.
#include "fuzz_support.h"

#include "core/progress.h"
#include "device/error_codes.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "interpreter/interpreter.h"
#include "interpreter/table_queries.h"
#include "payments/card_flow.h"
#include "recording_operator.h"

using namespace merovan;

namespace {

struct Register {
    QString answer;
    test::FakeClock clock;
    test::RecordingOperator op;
    DebugLog log{clock, fuzz::scratch().filePath(QStringLiteral("log.txt"))};
    Connection connection{[this](TransportKind) {
        auto transport = std::make_unique<test::FakeTransport>(clock);
        transport->onSend = [this, t = transport.get()](const QString &) { t->arrive(1, answer); };
        return transport;
    }};
    RegisterLink link{clock, op, log, connection};
    QString reply;
    JobProgress progress{op};
    Interpreter interpreter{link, op, clock, log, reply, progress};

    Register() { connection.connectionText = QStringLiteral("127.0.0.2:5012"); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Register reg;
    const QString text = fromCp1253(fuzz::bytesOf(data, size));
    reg.answer = text;
    for (const bool silent : {true, false}) {
        reg.link.sendCommand(QStringLiteral("KXCL"), {.silent = silent, .asyncSeconds = 1});
    }
    reg.link.readRegisterStatus();
    reg.interpreter.receiptCounters();
    queryOpenTable(reg.interpreter);
    queryTableAmount(reg.interpreter, QStringLiteral("12"));
    queryOpenTables(reg.interpreter);
    receiptAtTableClose(text);
    cardPaymentOutcome(text);
    formatCardReply(text);
    registerErrorText(text);
    reg.op.boxes.clear();
    reg.op.shownWindows.clear();
    fuzz::clearScratch();
    return 0;
}
