#include "control/command_line.h"

#include <algorithm>
#include <vector>

namespace merovan {

std::array<QString, 6> splitCommandLine(const QString &commandLine)
{
    std::vector<qsizetype> separators;
    for (qsizetype i = 0; i < commandLine.size() && separators.size() < 5; ++i) {
        if (commandLine[i] == QLatin1Char(',') || commandLine[i] == QLatin1Char(' '))
            separators.push_back(i);
    }

    std::array<QString, 6> fields;
    const auto count = separators.size();
    if (count >= 1)
        fields[0] = commandLine.left(separators[0]);
    for (std::size_t k = 1; k < 5; ++k) {
        if (count > k)
            fields[k] = commandLine.mid(separators[k - 1] + 1, separators[k] - separators[k - 1] - 1);
    }
    if (count >= 5)
        fields[5] = commandLine.mid(separators[4] + 1);

    for (QString &field : fields) {
        if (field.isEmpty())
            field = QStringLiteral("e");
    }
    return fields;
}

namespace {

SettingSwitch flagSetting(QChar c) { return c == QLatin1Char('1') ? SettingSwitch::On : SettingSwitch::Off; }

ItemCodePrinting printCodeSetting(QChar c)
{
    if (c == QLatin1Char('0'))
        return ItemCodePrinting::None;
    if (c == QLatin1Char('1'))
        return ItemCodePrinting::AsNumber;
    if (c == QLatin1Char('2'))
        return ItemCodePrinting::AsText;
    return ItemCodePrinting::Unset;
}

} // namespace

QString commandLineProblem(const QString &commandLine)
{
    if (commandLine.startsWith(QStringLiteral("--")))
        return QStringLiteral("unknown option \"%1\"").arg(commandLine.section(QLatin1Char(' '), 0, 0));
    const auto separators = std::count_if(commandLine.begin(), commandLine.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char(' ');
    });
    const auto given = std::min<qsizetype>(separators, 5) + 1;
    if (given < 6)
        return QStringLiteral("%1 field%2 where a job's command line has 6: PORT:BAUD BAUD JOB DELAY MODEL FLAGS")
            .arg(given)
            .arg(given == 1 ? QString() : QStringLiteral("s"));
    const QString flags = splitCommandLine(commandLine)[5];
    return QStringLiteral("the flags field \"%1\" has %2 characters where it needs 7").arg(flags).arg(flags.size());
}

bool settingsFromCommandLine(const std::array<QString, 6> &fields, CommandLineSettings &out)
{
    const QString &flags = fields[5];
    if (flags.size() < 7)
        return false;

    out = {};
    out.connectionText = fields[0];
    out.baud = fields[1];
    ParamSettings &s = out.settings;
    s.file = fields[2];
    s.registerType = registerType(fields[4]);
    s.multiFile = SettingSwitch::Off;
    s.itemCode = printCodeSetting(flags[0]);
    s.printDescription = flagSetting(flags[1]);
    s.comments = flagSetting(flags[2]);
    s.currency = currencyRule(QString(flags[3]));
    s.keyboardLocked = flagSetting(flags[4]);
    s.directDepartment = flagSetting(flags[5]);
    s.quantityInDescription = flagSetting(flags[6]);
    return true;
}

} // namespace merovan
