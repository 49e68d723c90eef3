#include "settings/http_settings.h"
#include "settings/param_file.h"

#include "greek/cp1253.h"
#include "qt_printers.h"
#include "settings_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(HttpSettings, EachKeyIsReadAfterOneBlankAndTheLastLineWins)
{
    const HttpSettings settings = httpSettings({
        QStringLiteral("[http] 127.0.0.1:1"),
        QStringLiteral("[http] [::1]:8080"),
        QStringLiteral("[http token] /etc/merovan/api token"),
        QStringLiteral("[http origins]  http://shop.local:3000 https://pos.example  "),
        QStringLiteral("[history days] 30"),
        QStringLiteral("[http]x 1.2.3.4:5"),
        QStringLiteral("# [http] 1.2.3.4:5"),
    });
    EXPECT_EQ(settings.address, QStringLiteral("[::1]:8080"));
    EXPECT_EQ(settings.tokenPath, QStringLiteral("/etc/merovan/api token"));
    EXPECT_EQ(settings.origins, (QStringList{"http://shop.local:3000", "https://pos.example"}));
    EXPECT_EQ(settings.historyDays, 30);
}

TEST(HttpSettings, WithoutItsLinesTheApiIsOffAndTheHistoryKeeps90Days)
{
    const HttpSettings none = httpSettings({QStringLiteral("[port] com1"), QStringLiteral("[history days]")});
    EXPECT_TRUE(none.address.isEmpty());
    EXPECT_TRUE(none.tokenPath.isEmpty());
    EXPECT_TRUE(none.origins.isEmpty());
    EXPECT_EQ(none.historyDays, 90);
    for (const char *days : {"0", "-5", "ninety", "30d"})
        EXPECT_EQ(httpSettings({QStringLiteral("[history days] ") + QLatin1StringView(days)}).historyDays, 90) << days;
}

// The settings window does not show the API's lines; its save keeps them.
TEST(HttpSettings, TheSettingsWindowsSaveKeepsTheApiLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kParamFile);
    const QStringList apiLines = {QStringLiteral("[http] 0.0.0.0:8080"), QStringLiteral("[http token] /var/lib/κλειδί"),
                                  QStringLiteral("[http origins] http://shop.local:3000"),
                                  QStringLiteral("[history days] 30")};
    ASSERT_TRUE(test::writeFile(path, toCp1253(QStringLiteral("[port] com1\r\n") + apiLines.join(QStringLiteral("\r\n"))
                                               + QStringLiteral("\r\n[file] old\r\n"))));
    ParamFileValues values;
    values.port = QStringLiteral("COM2");
    values.baud = QStringLiteral("9600");
    const QDate today(2026, 12, 7);
    ASSERT_TRUE(writeParamFile(path, values, today));
    const QStringList written = readParamFileLines(path).value_or(QStringList());
    EXPECT_EQ(written, paramFileLines(values, today) + apiLines + QStringList{QString()});

    ASSERT_TRUE(writeParamFile(path, values, today)); // and again: not doubled
    EXPECT_EQ(readParamFileLines(path), written);
}

TEST(HttpSettings, ANewFileGetsNoApiLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kParamFile);
    const QDate today(2026, 12, 7);
    ASSERT_TRUE(writeParamFile(path, {}, today));
    EXPECT_EQ(readParamFileLines(path), paramFileLines({}, today) + QStringList{QString()});
}

} // namespace
} // namespace merovan
