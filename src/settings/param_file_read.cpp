#include "settings/param_file.h"

#include "greek/cp1253.h"

#include <QFile>

#include <initializer_list>
#include <utility>

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
    void (*apply)(ParamSettings &settings, const QString &text);
};

constexpr QLatin1StringView kPortKey("[port]");
constexpr QLatin1StringView kBaudKey("[baud]");
constexpr qsizetype kPortBaudColumn = 8;

using S = ParamSettings;

const SettingKey kSettingKeys[] = {
    {QLatin1StringView("[file]"), 8, 30, [](S &s, const QString &t) { s.file = t; }},
    {QLatin1StringView("[ecrt]"), 8, 5, [](S &s, const QString &t) { s.registerType = registerType(t); }},
    {QLatin1StringView("[multi type]"), 14, 4, [](S &s, const QString &t) { s.multiFile = settingSwitch(t); }},
    {QLatin1StringView("[print_desc]"), 14, 4, [](S &s, const QString &t) { s.printDescription = settingSwitch(t); }},
    {QLatin1StringView("[print_code]"), 14, 6, [](S &s, const QString &t) { s.itemCode = itemCodePrinting(t); }},
    {QLatin1StringView("[comments]"), 12, 4, [](S &s, const QString &t) { s.comments = settingSwitch(t); }},
    {QLatin1StringView("[currency]"), 12, 1, [](S &s, const QString &t) { s.currency = currencyRule(t); }},
    {QLatin1StringView("[keyb_off]"), 12, 4, [](S &s, const QString &t) { s.keyboardLocked = settingSwitch(t); }},
    {QLatin1StringView("[dir_depa]"), 12, 4, [](S &s, const QString &t) { s.directDepartment = settingSwitch(t); }},
    {QLatin1StringView("[quantity]"), 12, 4,
     [](S &s, const QString &t) { s.quantityInDescription = settingSwitch(t); }},
    {QLatin1StringView("[location]"), 12, 99, [](S &s, const QString &t) { s.location = t; }},
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

// The value of the word that the text is exactly; otherwise the default.
template <typename Value>
Value valueOfWord(const QString &text, std::initializer_list<std::pair<QStringView, Value>> words, Value otherwise)
{
    for (const auto &[word, value] : words) {
        if (text == word)
            return value;
    }
    return otherwise;
}

} // namespace

SettingSwitch settingSwitch(const QString &text)
{
    return valueOfWord(text, {{u"true", SettingSwitch::On}, {u"fals", SettingSwitch::Off},
                              {u"TRUE", SettingSwitch::OnInCapitals}},
                       SettingSwitch::Neither);
}

ItemCodePrinting itemCodePrinting(const QString &text)
{
    if (text.startsWith(QLatin1StringView("fals")))
        return ItemCodePrinting::None;
    return valueOfWord(text, {{u"true N", ItemCodePrinting::AsNumber}, {u"true A", ItemCodePrinting::AsText}},
                       ItemCodePrinting::Unset);
}

RegisterType registerType(const QString &text)
{
    return valueOfWord(text, {{u"mikro", RegisterType::Mikro}, {u"pos21", RegisterType::Poseidon21}},
                       RegisterType::Other);
}

CurrencyRule currencyRule(const QString &text)
{
    return valueOfWord(text, {{u"0", CurrencyRule::AsInJob}, {u"1", CurrencyRule::Main},
                              {u"2", CurrencyRule::Secondary}, {u"3", CurrencyRule::Third}},
                       CurrencyRule::Unset);
}

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
                key.apply(reading.settings, cut(line, key.column, key.length));
        }
        if (profile.readsAutoStart && line.left(kAutoStartOn.size()).toUpper() == kAutoStartOn)
            reading.autoStart = true;
    }
}

std::optional<QStringList> readParamFileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLines(fromCp1253(bytes));
}

bool readParamFile(const QString &path, ParamReader reader, ParamReading &reading)
{
    const std::optional<QStringList> lines = readParamFileLines(path);
    if (!lines)
        return false;
    readParamLines(*lines, reader, reading);
    return true;
}

} // namespace merovan
