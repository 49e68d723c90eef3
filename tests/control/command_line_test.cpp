#include "control/command_line.h"

#include <gtest/gtest.h>

using namespace merovan;

namespace {

struct SplitCase {
    const char *line;
    std::array<const char *, 6> fields;
};

TEST(Readcoman, SplitsOnCommasAndSpacesKeepingTheTailInTheSixthField)
{
    const SplitCase cases[] = {
        {"com1:9600 9600 print.txt 0 mikro 1111111",
         {"com1:9600", "9600", "print.txt", "0", "mikro", "1111111"}},
        {"a,,b c d e", {"a", "e", "b", "c", "d", "e"}},
        {"a, b c d e f", {"a", "e", "b", "c", "d", "e f"}},
        {"a,b,c", {"a", "b", "e", "e", "e", "e"}},
        {"1,2,3,4,5,6,7,8,9,10,11", {"1", "2", "3", "4", "5", "6,7,8,9,10,11"}},
        {"solo", {"e", "e", "e", "e", "e", "e"}},
        {",,,,,", {"e", "e", "e", "e", "e", "e"}},
    };
    for (const SplitCase &c : cases) {
        const auto fields = readcoman(QString::fromUtf8(c.line));
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(fields[i], QString::fromUtf8(c.fields[i])) << c.line << " field " << i + 1;
    }
}

TEST(SettingsFromCommandLine, ReadsTheSevenFlagCharacters)
{
    CommandLineSettings s;
    ASSERT_TRUE(settingsFromCommandLine(readcoman(QStringLiteral("com1:9600 9600 job.txt 0 mikro 1111111")), s));
    EXPECT_EQ(s.connectionText, QStringLiteral("com1:9600"));
    EXPECT_EQ(s.baud, QStringLiteral("9600"));
    EXPECT_EQ(s.settings.file, QStringLiteral("job.txt"));
    EXPECT_EQ(s.settings.time, QStringLiteral("0"));
    EXPECT_EQ(s.settings.ecrt, QStringLiteral("mikro"));
    EXPECT_EQ(s.settings.printCode, QStringLiteral("true N"));
    EXPECT_EQ(s.settings.currency, QStringLiteral("1"));
    for (const QString *flag : {&s.settings.printDesc, &s.settings.comments, &s.settings.keybOff,
                                &s.settings.dirDepa, &s.settings.quantity, &s.settings.code})
        EXPECT_EQ(*flag, QStringLiteral("true"));
    EXPECT_EQ(s.settings.multiType, QStringLiteral("fals"));
    EXPECT_TRUE(s.settings.location.isEmpty());

    ASSERT_TRUE(settingsFromCommandLine(readcoman(QStringLiteral("x 1 j 0 m 2022200")), s));
    EXPECT_EQ(s.settings.printCode, QStringLiteral("true A"));
    EXPECT_EQ(s.settings.printDesc, QStringLiteral("fals"));
    EXPECT_EQ(s.settings.currency, QStringLiteral("2"));
    ASSERT_TRUE(settingsFromCommandLine(readcoman(QStringLiteral("x 1 j 0 m 9000000")), s));
    EXPECT_TRUE(s.settings.printCode.isEmpty());

    EXPECT_FALSE(settingsFromCommandLine(readcoman(QStringLiteral("x 1 j 0 m 111111")), s));
    EXPECT_FALSE(settingsFromCommandLine(readcoman(QStringLiteral("a,b")), s));
}

} // namespace
