#include "control/command_line.h"

#include <gtest/gtest.h>

using namespace merovan;

namespace {

TEST(Readcoman, SplitsOnCommasAndSpacesKeepingTheTailInTheSixthField)
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
    EXPECT_EQ((QStringList{s.connectionText, s.baud, s.settings.file, s.settings.time, s.settings.ecrt,
                           s.settings.multiType, s.settings.code, s.settings.location}),
              QStringLiteral("com1:9600 9600 job.txt 0 mikro fals true ").split(QLatin1Char(' ')));
    // printCode, printDesc, comments, currency, keybOff, dirDepa, quantity; none from a short field
    const std::pair<const char *, QStringList> cases[] = {
        {"1111111", {"true N", "true", "true", "1", "true", "true", "true"}},
        {"2101010", {"true A", "true", "fals", "1", "fals", "true", "fals"}},
        {"0010101", {"fals", "fals", "true", "0", "true", "fals", "true"}},
        {"9000000", {"", "fals", "fals", "0", "fals", "fals", "fals"}},
        {"111111", {}},
    };
    for (const auto &[flags, expected] : cases) {
        const bool read = settingsFromCommandLine(splitCommandLine(QStringLiteral("x 1 j 0 m ") + QLatin1String(flags)), s);
        EXPECT_EQ(read, !expected.isEmpty()) << flags;
        const QStringList got{s.settings.printCode, s.settings.printDesc, s.settings.comments, s.settings.currency,
                              s.settings.keybOff,   s.settings.dirDepa,   s.settings.quantity};
        EXPECT_TRUE(!read || got == expected) << flags << ": " << got.join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
