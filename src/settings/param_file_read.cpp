#include "settings/param_file.h"

#include "greek/cp1253.h"

#include <QFile>

namespace merovan {

namespace {

// What sets the three readers apart. The settings window reads like start-up;
// it also keeps the [baud] value in the reading so its baud box can show it.
struct ReaderProfile {
    qsizetype portLength;
    bool trimPort;
    qsizetype baudLength;
    bool baudExtendsConnection;
    bool readsAutoStart;
};

ReaderProfile profileOf(ParamReader reader)
{
    if (reader == ParamReader::PollingTick)
        return {.portLength = 20, .trimPort = false, .baudLength = 6,
                .baudExtendsConnection = false, .readsAutoStart = false};
    return {.portLength = 15, .trimPort = true, .baudLength = 5,
            .baudExtendsConnection = true, .readsAutoStart = true};
}

struct SettingKey {
    QLatin1StringView name;
    qsizetype column; // counted from 1 on the whole line
    qsizetype length; // the most taken; a shorter line gives less
    QString ParamSettings::*field;
};

constexpr QLatin1StringView kPortKey("[port]");
constexpr QLatin1StringView kBaudKey("[baud]");
constexpr qsizetype kPortBaudColumn = 8;

const SettingKey kSettingKeys[] = {
    {QLatin1StringView("[file]"), 8, 30, &ParamSettings::file},
    {QLatin1StringView("[code]"), 8, 3, &ParamSettings::code},
    {QLatin1StringView("[ecrt]"), 8, 5, &ParamSettings::ecrt},
    {QLatin1StringView("[multi type]"), 14, 4, &ParamSettings::multiType},
    {QLatin1StringView("[time]"), 8, 5, &ParamSettings::time},
    {QLatin1StringView("[print_desc]"), 14, 4, &ParamSettings::printDesc},
    {QLatin1StringView("[print_code]"), 14, 6, &ParamSettings::printCode},
    {QLatin1StringView("[comments]"), 12, 4, &ParamSettings::comments},
    {QLatin1StringView("[currency]"), 12, 1, &ParamSettings::currency},
    {QLatin1StringView("[keyb_off]"), 12, 4, &ParamSettings::keybOff},
    {QLatin1StringView("[dir_depa]"), 12, 4, &ParamSettings::dirDepa},
    {QLatin1StringView("[quantity]"), 12, 4, &ParamSettings::quantity},
    {QLatin1StringView("[location]"), 12, 99, &ParamSettings::location},
};

// Compared after upper-casing, so the writer's "[AutoStar]=yes" matches.
constexpr QLatin1StringView kAutoStartOn("[AUTOSTAR]=YES");

QString cut(const QString &line, qsizetype column, qsizetype length)
{
    return line.mid(column - 1, length);
}

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

} // namespace

void readParamLines(const QStringList &lines, ParamReader reader, ParamReading &reading)
{
    const ReaderProfile profile = profileOf(reader);
    reading.settings = {};
    for (const QString &line : lines) {
        if (line.startsWith(kPortKey)) {
            const QString port = cut(line, kPortBaudColumn, profile.portLength);
            reading.connectionText = profile.trimPort ? port.trimmed() : port;
        }
        if (line.startsWith(kBaudKey)) {
            reading.baud = cut(line, kPortBaudColumn, profile.baudLength);
            if (profile.baudExtendsConnection)
                reading.connectionText.append(QLatin1Char(':')).append(reading.baud);
        }
        for (const SettingKey &key : kSettingKeys) {
            if (line.startsWith(key.name))
                reading.settings.*key.field = cut(line, key.column, key.length);
        }
        if (profile.readsAutoStart && line.left(kAutoStartOn.size()).toUpper() == kAutoStartOn)
            reading.autoStart = true;
    }
}

bool readParamFile(const QString &path, ParamReader reader, ParamReading &reading)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    readParamLines(splitLines(fromCp1253(bytes)), reader, reading);
    return true;
}

} // namespace merovan
