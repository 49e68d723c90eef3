#include "core/register_message.h"
#include "diagnostics/debug_log.h"
#include "fake_clock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace merovan;
using namespace merovan::test;

namespace {

class DebugLogTest : public ::testing::Test {
protected:
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("merovanLog.txt"));
    FakeClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 7, 5))};
    DebugLog log{clock, path};
    QStringList shown;
};

TEST_F(DebugLogTest, LineShapesKeepTheTextInOneColumn)
{
    EXPECT_TRUE(log.sendLine(QStringLiteral("KXCL")).isNull()) << "not made while the log is off";
    log.setActive(true);
    EXPECT_EQ(log.sendLine(QStringLiteral("KXCL")), QStringLiteral("07:05       send:[KXCL]"));
    EXPECT_EQ(log.replyLine(QStringLiteral("6\r")), QStringLiteral("07:05      reply: 6ASC(13) "));
    EXPECT_EQ(log.asyncReplyLine(QStringLiteral("\x04")), QStringLiteral("07:05reply async: ASC(4) "));
    EXPECT_EQ(log.endLine(), QStringLiteral("07:05 -----------"));
    EXPECT_EQ(log.eftWaitLine(12), QStringLiteral("07:05 waiting eft print: 12"));
    EXPECT_EQ(printableText(QString::fromLatin1("\x06\r")), QStringLiteral("ASC(6) ASC(13) "));
}

TEST_F(DebugLogTest, WritesOnlyWhileOpenAndToTheFileOnlyWhileTicked)
{
    QObject::connect(&log, &DebugLog::lineAdded, [this](const QString &line) { shown << line; });

    log.addLine(QStringLiteral("closed"));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    log.setActive(true);
    log.addLine(QStringLiteral("Ω one"));
    log.setFileSwitch(false);
    log.addLine(QStringLiteral("two"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Ω one"), QStringLiteral("two")}));
    EXPECT_EQ(fileBytes(), QByteArray("\xD9 one\r\n"));

    // A window opened again starts with its file switch ticked.
    log.setActive(false);
    log.setActive(true);
    log.addLine(QStringLiteral("three"));
    EXPECT_EQ(fileBytes(), QByteArray("\xD9 one\r\nthree\r\n"));
}

TEST(RegisterMessage, CountsSecondsUnlessSkippedAndReportsClosingOnce)
{
    FakeClock clock{QDateTime(QDate(2026, 3, 14), QTime(23, 59, 59, 600))};
    RegisterMessage counting(clock);
    counting.open();
    EXPECT_EQ(counting.caption(), QStringLiteral("Συναλλαγή EFTPOS"));
    EXPECT_EQ(counting.message(), QStringLiteral("Αναμονή Απάντησης EFTPOS"));
    EXPECT_TRUE(counting.countsSeconds());
    for (const char *expected : {"Αναμονή EFTPOS [01]", "Αναμονή EFTPOS [02]"}) {
        clock.advance(1000);
        counting.tick();
        EXPECT_EQ(counting.message(), QString::fromUtf8(expected)) << "counts on across midnight";
    }

    RegisterMessage quiet(clock);
    quiet.setCountsSeconds(false);
    quiet.setCaption(QStringLiteral("Μύνημα Ταμειακής"));
    EXPECT_FALSE(quiet.countsSeconds());

    int closings = 0;
    QObject::connect(&counting, &RegisterMessage::closed, [&] { ++closings; });
    counting.close();
    counting.close();
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(counting.countsSeconds());
}

} // namespace
