#include "payments/card_flow.h"

#include "core/register_message.h"
#include "core/stop_requests.h"
#include "diagnostics/debug_log.h"
#include "fake_clock.h"
#include "qt_printers.h"
#include "recording_operator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan {
namespace {

TEST(cardPaymentOutcome, ReadsTheRegistersAnswer)
{
    const std::pair<const char *, qint16> cases[] = {
        {"", 0}, {"358OK:1234", 0}, {"356OK", 0}, {" 355OK123 : 05", 0}, {"358ok:05", 1}, {"35OK:05", 1},
        {"CntFail", 2}, {" CntFail :xx", 2}, {"CntFailed", 0}, {"ERR:03", 2}, {"ERR:04", 2},
        {"ERR:05", 1}, {"ERR: 06 :x", 1}, {"ERR:09", 1}, {"ERR:33", 1}, {"ERR:66", 1},
        {"ERR:001", 2}, {"ERR:002", 2}, {"ERR:003", 2}, {"ERR:004", 2}, {"ERR:100", 2}, {"ERR:500", 2},
        {"ERR:501", 2}, {"ERR:999", 3}, {"ERR:ECR INACTIVE EFTPOS", 2}, {"ERROR:12", 0}, {"ERR:5", 0},
        {"ERR:x:05", 0}, {"05", 0}, {"CntFail:05", 1}, {"CntFail:999", 3},
        {"SEND:TIMEOUT WHILE SEND DATA TO POS", 4}, {"ERR:05:SEND:TIMEOUT WHILE SEND DATA TO POS", 4},
        {"SEND:TIMEOUT WHILE SEND DATA", 0}, {"send:timeout while send data to pos", 0},
    };
    for (const auto &[answer, outcome] : cases)
        EXPECT_EQ(cardPaymentOutcome(QString::fromUtf8(answer)), outcome) << '"' << answer << '"';
}

TEST(waitForTerminalPrint, CountsDownInAWindowUntilTheRoundedStartPlusTheSecondsWhateverTheOperatorDoes)
{
    // stopAtMs: two stop requests then (the program ends now): the pause
    // ends at once, its countdown last showing lastShown.
    const struct { QTime start; qint32 seconds; qint64 closeAtMs, stopAtMs, pausedMs; int lastShown; } cases[] = {
        {QTime(10, 20, 30), 10, -1, -1, 10000, 0},     {QTime(10, 20, 30), 0, -1, -1, 0, 0},
        {QTime(10, 20, 30), -1, -1, -1, 0, 0},         {QTime(10, 20, 30, 400), 10, -1, -1, 9600, 0},
        {QTime(23, 59, 59, 800), 5, -1, -1, 5200, 0},  {QTime(10, 20, 30), 120, -1, -1, 120000, 0},
        {QTime(10, 20, 30), 10, 3000, -1, 10000, 0}, // closed by the operator
        {QTime(10, 20, 30), 10, -1, 3000, 3000, 7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.start.toString(QStringLiteral("HH:mm:ss.zzz +")).toStdString() + std::to_string(c.seconds));
        QTemporaryDir dir;
        test::FakeClock clock(QDateTime(QDate(2026, 3, 14), c.start));
        test::RecordingOperator op;
        DebugLog log{clock, dir.filePath(QStringLiteral("merovanLog.txt"))};
        StopRequests stops;
        if (c.stopAtMs >= 0)
            clock.at(c.stopAtMs, [&stops] { stops.request(), stops.request(); });
        log.setActive(true);
        QStringList logLines, messages;
        QString shownAs; // caption|detail|its own counter|closed
        QObject::connect(&log, &DebugLog::lineAdded, [&](const QString &line) { logLines << line; });
        op.onShown = [&](const RegisterMessagePtr &window) {
            shownAs = window->caption() + QLatin1Char('|') + window->detail()
                      + (window->countsSeconds() ? QStringLiteral("|counter") : QStringLiteral("|no counter"));
            messages << window->message();
            QObject::connect(window.get(), &RegisterMessage::changed, [&, w = window.get()] {
                if (messages.back() != w->message())
                    messages << w->message();
            });
            QObject::connect(window.get(), &RegisterMessage::closed, [&] { shownAs += QStringLiteral("|closed"); });
            if (c.closeAtMs >= 0)
                clock.at(c.closeAtMs, [window] { window->close(); });
        };
        waitForTerminalPrint(c.seconds, clock, op, log, stops);
        const bool waits = c.seconds >= 1; // below one second: no window, no log line, no pause
        EXPECT_EQ(clock.paused(), c.pausedMs);
        QStringList expected;
        for (int s = c.seconds; waits && s >= c.lastShown; --s)
            expected << QStringLiteral("Αναμονή [%1]").arg(s, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(messages, expected);
        EXPECT_EQ(shownAs, waits ? QStringLiteral("Συναλλαγή EFTPOS|Εκτύπωση τερματικού EFTPOS|no counter|closed")
                                 : QString());
        // Stamped with the minute and second the pause starts: "20:30 waiting eft print: 10".
        const QString logLine =
            c.start.toString(QStringLiteral("mm:ss ")) + "waiting eft print: " + QString::number(c.seconds);
        EXPECT_EQ(logLines, waits ? QStringList{logLine} : QStringList());
    }
}

} // namespace
} // namespace merovan
