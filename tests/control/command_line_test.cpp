#include "control/command_line.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace merovan;

namespace {

TEST(SplitCommandLine, SplitsOnCommasAndSpacesKeepingTheTailInTheSixthField)
{
    const std::pair<const char *, std::array<const char *, 6>> cases[] = {
        {"a,,b c d e", {"a", "e", "b", "c", "d", "e"}},
        {"a, b c d e f,g", {"a", "e", "b", "c", "d", "e f,g"}},
        {"a,b,c", {"a", "b", "e", "e", "e", "e"}},
        {"solo", {"e", "e", "e", "e", "e", "e"}},
    };
    for (const auto &[line, expected] : cases) {
        const auto fields = splitCommandLine(QString::fromUtf8(line));
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(fields[i], QString::fromUtf8(expected[i])) << line << " field " << i + 1;
    }
}

TEST(SettingsFromCommandLine, ReadsTheFieldsAndTheSevenFlagCharacters)
{
    CommandLineSettings s;
    ASSERT_TRUE(settingsFromCommandLine(splitCommandLine(QStringLiteral("com1:9600 9600 job.txt 0 mikro 1111111")), s));
    EXPECT_EQ((QStringList{s.connectionText, s.baud, s.settings.file, s.settings.location}),
              (QStringList{"com1:9600", "9600", "job.txt", ""}));
    EXPECT_EQ(s.settings.registerType, RegisterType::Mikro);
    EXPECT_EQ(s.settings.multiFile, SettingSwitch::Off);

    // item code, then description, comments, keyboard locked, direct
    // department and quantity in the description as 1/0, then the currency
    // rule; none from a short field
    constexpr auto On = SettingSwitch::On, Off = SettingSwitch::Off;
    struct Expected {
        ItemCodePrinting itemCode;
        std::array<SettingSwitch, 5> switches;
        CurrencyRule currency;
    };
    const std::pair<const char *, std::optional<Expected>> cases[] = {
        {"1111111", Expected{ItemCodePrinting::AsNumber, {On, On, On, On, On}, CurrencyRule::Main}},
        {"2101010", Expected{ItemCodePrinting::AsText, {On, Off, Off, On, Off}, CurrencyRule::Main}},
        {"0010101", Expected{ItemCodePrinting::None, {Off, On, On, Off, On}, CurrencyRule::AsInJob}},
        {"9003000", Expected{ItemCodePrinting::Unset, {Off, Off, Off, Off, Off}, CurrencyRule::Third}},
        {"111111", std::nullopt},
    };
    for (const auto &[flags, expected] : cases) {
        const bool read = settingsFromCommandLine(splitCommandLine(QStringLiteral("x 1 j 0 m ") + QLatin1String(flags)), s);
        ASSERT_EQ(read, expected.has_value()) << flags;
        if (!read)
            continue;
        const ParamSettings &got = s.settings;
        EXPECT_EQ(got.itemCode, expected->itemCode) << flags;
        EXPECT_EQ((std::array{got.printDescription, got.comments, got.keyboardLocked, got.directDepartment,
                              got.quantityInDescription}),
                  expected->switches)
            << flags;
        EXPECT_EQ(got.currency, expected->currency) << flags;
    }
}

} // namespace

namespace {

TEST(CommandLineProblem, SaysWhatIsWrongWithARefusedLine)
{
    const std::pair<const char *, const char *> cases[] = {
        {"--bogus", "unknown option \"--bogus\""},
        {"--check", "unknown option \"--check\""},
        {"a b", "2 fields where a job's command line has 6: PORT:BAUD BAUD JOB DELAY MODEL FLAGS"},
        {"a,b", "2 fields where a job's command line has 6: PORT:BAUD BAUD JOB DELAY MODEL FLAGS"},
        {"solo", "1 field where a job's command line has 6: PORT:BAUD BAUD JOB DELAY MODEL FLAGS"},
        {"com1:9600 9600 job.txt 0 mikro 111", "the flags field \"111\" has 3 characters where it needs 7"},
    };
    for (const auto &[line, problem] : cases) {
        CommandLineSettings s;
        EXPECT_FALSE(settingsFromCommandLine(splitCommandLine(QString::fromUtf8(line)), s)) << line;
        EXPECT_EQ(commandLineProblem(QString::fromUtf8(line)), QString::fromUtf8(problem)) << line;
    }
}

} // namespace
