// Any bytes as param.ini, read as at start-up, at a job tick and by the
// settings window.
#include "fuzz_support.h"

#include "settings/param_file.h"

using namespace merovan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::writeScratch(QStringLiteral("param.ini"), fuzz::bytesOf(data, size));
    for (const ParamReader reader : {ParamReader::Startup, ParamReader::PollingTick, ParamReader::SettingsWindow}) {
        ParamReading reading;
        readParamFile(path, reader, reading);
    }
    return 0;
}
