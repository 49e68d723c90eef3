// A whole job file, any bytes, run by the interpreter against a register
// that accepts everything.
#include "fuzz_support.h"

#include "core/progress.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "interpreter/interpreter.h"
#include "interpreter/keywords.h"
#include "recording_operator.h"

using namespace merovan;

namespace {

struct JobRunner {
    test::FakeClock clock;
    test::RecordingOperator op;
    DebugLog log{clock, fuzz::scratch().filePath(QStringLiteral("log.txt"))};
    Connection connection{[this](TransportKind) { return fuzz::answeringWith(clock, QStringLiteral("00 OK\r\x04")); }};
    RegisterLink link{clock, op, log, connection};
    QString reply;
    JobProgress progress{op};
    Interpreter interpreter{link, op, clock, log, reply, progress};

    JobRunner()
    {
        connection.connectionText = QStringLiteral("127.0.0.2:5012");
        installKeywords(interpreter);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static JobRunner runner;
    ParamSettings settings;
    settings.printDescription = settings.comments = SettingSwitch::On;
    settings.itemCode = ItemCodePrinting::AsNumber;
    settings.currency = CurrencyRule::AsInJob;
    settings.registerType = RegisterType::Mikro;
    runner.interpreter.runJob(fuzz::writeScratch(QStringLiteral("job.txt"), fuzz::bytesOf(data, size)), settings);
    runner.op.boxes.clear();
    runner.op.shownWindows.clear();
    fuzz::clearScratch();
    return 0;
}
