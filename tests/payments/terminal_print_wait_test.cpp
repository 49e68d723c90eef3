#include "payments/card_flow.h"

#include "core/register_message.h"
#include "diagnostics/debug_log.h"
#include "fake_clock.h"
#include "recording_operator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

QString countdown(int seconds) { return QStringLiteral("Αναμονή [%1]").arg(seconds, 2, 10, QLatin1Char('0')); }

// The pause on a fake clock, watched from inside its event runs.
struct PrintPause {
    explicit PrintPause(QTime start) : clock(QDateTime(QDate(2026, 3, 14), start))
    {
        log.setDebugActive(true);
        QObject::connect(&log, &DebugLog::lineAdded, [this](const QString &line) { logLines << line; });
        op.onEvents = [this] {
            RegisterMessage &window = *op.shownWindows.back();
            if (op.eventRuns == 1) {
                caption = window.caption();
                detail = window.detail();
                counterRunning = window.counterRunning();
                QObject::connect(&window, &RegisterMessage::closed, [this] { closed = true; });
            }
            if (messages.isEmpty() || messages.back() != window.message())
                messages << window.message();
            if (closeAtMs >= 0 && clock.monotonicMs() >= closeAtMs)
                window.close();
        };
    }

    QTemporaryDir dir;
    test::FakeClock clock;
    test::RecordingOperator op;
    DebugLog log{clock, dir.filePath(QStringLiteral("merovanLog.txt"))};
    QStringList logLines;
    QStringList messages;
    QString caption;
    QString detail;
    bool counterRunning = true;
    bool closed = false;
    qint64 closeAtMs = -1;
};

TEST(WaitTerminalPrint, NoWindowNoLogLineAndNoPauseBelowOneSecond)
{
    PrintPause p(QTime(10, 20, 30));
    for (qint32 seconds : {0, -1})
        WaitTerminalPrint(seconds, p.clock, p.op, p.log);
    EXPECT_TRUE(p.op.shownWindows.empty());
    EXPECT_TRUE(p.logLines.isEmpty());
    EXPECT_EQ(p.clock.paused(), 0);
}

TEST(WaitTerminalPrint, CountsDownInAWindowWithoutItsOwnCounterAndClosesIt)
{
    PrintPause p(QTime(10, 20, 30));
    WaitTerminalPrint(10, p.clock, p.op, p.log);

    ASSERT_EQ(p.op.shownWindows.size(), 1u);
    EXPECT_EQ(p.logLines, QStringList{QStringLiteral("20:30 waiting eft print: 10")});
    EXPECT_EQ(p.caption, QStringLiteral("Συναλλαγή EFTPOS"));
    EXPECT_EQ(p.detail, QStringLiteral("Εκτύπωση τερματικού EFTPOS"));
    EXPECT_FALSE(p.counterRunning);
    QStringList expected;
    for (int s = 10; s >= 0; --s)
        expected << countdown(s);
    EXPECT_EQ(p.messages, expected);
    EXPECT_EQ(p.clock.paused(), 10000);
    // The thread sleeps between updates: one event run per 200 ms.
    EXPECT_EQ(p.op.eventRuns, 50);
    EXPECT_TRUE(p.closed);
}

TEST(WaitTerminalPrint, EndsAtTheRoundedStartPlusTheSecondsWhateverTheOperatorDoes)
{
    const struct {
        QTime start;
        qint32 seconds;
        qint64 closeAtMs;
        qint64 pausedMs;
    } cases[] = {
        {QTime(10, 20, 30, 400), 10, -1, 9600},  {QTime(10, 20, 30, 700), 3, -1, 3300},
        {QTime(10, 20, 30), 120, -1, 120000},    {QTime(23, 59, 55), 10, -1, 10000},
        {QTime(23, 59, 59, 800), 5, -1, 5200},   {QTime(10, 20, 30), 10, 3000, 10000},
    };
    for (const auto &c : cases) {
        PrintPause p(c.start);
        p.closeAtMs = c.closeAtMs;
        WaitTerminalPrint(c.seconds, p.clock, p.op, p.log);
        EXPECT_EQ(p.clock.paused(), c.pausedMs) << c.start.toString().toStdString();
        EXPECT_EQ(p.messages.value(0), countdown(c.seconds)) << c.start.toString().toStdString();
    }
}

} // namespace
} // namespace merovan
