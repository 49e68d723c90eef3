// A job runs exactly once and is never lost, with real programs: merovand
// stopped by signals in the middle of a 30-item receipt, killed and started
// again, a second bridge on the same UDP port, and a command-line job
// against a register that ignores the first "KXCL".
#include "printing_bridge.h"
#include "qt_printers.h"

#include <signal.h>

using namespace merovan::test;

namespace {

class StoppingTheBridge : public PrintingBridge {
protected:
    // The bridge will run as nobody, with a job folder jobs/ that anyone may
    // change for now, against a register that takes a moment per command.
    void startAsNobodyWithJobFolder()
    {
        asNobody = true;
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        QDir().mkpath(path(QStringLiteral("jobs")));
        ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("jobs")), QFileDevice::Permissions(0x7777)));
        startSimulator(Link::Udp, {QStringLiteral("--latency"), QStringLiteral("40")});
    }
};

// The link, and how long the register takes to answer each command.
class OneSignal : public StoppingTheBridge, public ::testing::WithParamInterface<std::tuple<Link, int>> {};

// Every line of the job's block is true: the register answered every
// query, so no "Err" and no status-wait line may appear.
TEST_P(OneSignal, FinishesTheJobOnceWithEveryLineTrueThenEndsWithStatusZero)
{
    const auto &[link, latency] = GetParam();
    startSimulator(link, {QStringLiteral("--latency"), QString::number(latency)});
    auto bridge = bridgeInTheMiddleOfAReceipt(link);
    bridge->signal(SIGTERM);

    EXPECT_EQ(bridge->waitForExit(60000), 0) << bridge->errors().toStdString();
    EXPECT_EQ(itemsSent(), kItems);
    const QStringList lines = result();
    EXPECT_EQ(lines.filter(QStringLiteral("Err")), QStringList()) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("receipt = ")), QStringList{QStringLiteral("receipt = 00001, 00001, 00000, 0")});
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 0"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("print.1"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("merovan.journal"))));
    EXPECT_TRUE(bridge->outputLines().contains(
        QStringLiteral("status: Τερματισμός μετά την ολοκλήρωση της τρέχουσας εργασίας...")));
}

INSTANTIATE_TEST_SUITE_P(Links, OneSignal,
                         ::testing::Combine(::testing::Values(Link::Udp, Link::Pty), ::testing::Values(0, 200)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param) == Link::Udp ? "udp" : "pty") + "_answering_in_" +
                                    std::to_string(std::get<1>(info.param)) + "_ms";
                         });

TEST_F(StoppingTheBridge, TwoSignalsInterruptTheJobAtACommandBoundary)
{
    auto bridge = bridgeInTheMiddleOfAReceipt(Link::Udp);
    bridge->signal(SIGINT);
    bridge->signal(SIGTERM);

    EXPECT_EQ(bridge->waitForExit(30000), 0) << bridge->errors().toStdString();
    const int sent = itemsSent();
    EXPECT_LT(sent, kItems);
    const QStringList lines = result();
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[lines.size() - 5].startsWith(
        QStringLiteral("Err = -97, [interrupted at line %1 of 32] DateTime = ").arg(sent + 1)))
        << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 1"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("print.1.interrupted"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("print.1"))));
}

TEST_F(StoppingTheBridge, AfterKillNineTheRestartReportsTheJobAndSendsNoItemAgain)
{
    auto first = bridgeInTheMiddleOfAReceipt(Link::Udp);
    first->signal(SIGKILL);
    first->waitForExit();
    const int sent = itemsSent();
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("merovan.journal"))));

    auto second = startPrintingBridge(Link::Udp);
    ASSERT_TRUE(second->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000));
    EXPECT_TRUE(second->errors().contains(QStringLiteral("ανοικτή απόδειξη"))) << second->errors().toStdString();
    EXPECT_EQ(itemsSent(), sent) << "nothing of the job is sent again";
    const QStringList lines = result();
    const QStringList block = lines.mid(lines.lastIndexOf(QStringLiteral("tag = THIRTY")));
    ASSERT_EQ(block.size(), 6) << lines.join(u'|').toStdString();
    EXPECT_TRUE(block[1].startsWith(QStringLiteral("DateTime start = ")));
    EXPECT_TRUE(block[2].startsWith(QStringLiteral("Err = -97, [interrupted at line ")));
    EXPECT_TRUE(block[2].contains(QStringLiteral(" of 32] DateTime = ")));
    EXPECT_EQ(block[3], QStringLiteral("recStatus = 0;"));
    EXPECT_TRUE(block[4].startsWith(QStringLiteral("receipt = ")));
    EXPECT_EQ(block[5], QStringLiteral("exitcode = 1"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("print.1.interrupted"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("merovan.journal"))));
}

TEST_F(StoppingTheBridge, ASecondBridgeOnTheSamePortGoesOfflineAndStealsNothing)
{
    auto first = startPrintingBridge(Link::Udp);
    ASSERT_TRUE(first->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000));
    QTemporaryDir other;
    auto second = startPrintingBridge(Link::Udp, other.path());
    ASSERT_TRUE(second->waitForOutput(kOffline, 20000)) << second->outputLines().join(u'|').toStdString();

    dropJob(thirtyItemReceipt());
    ASSERT_TRUE(waitForItem(kItems));
    ASSERT_TRUE(first->waitForOutput(QStringLiteral("caption: Merovan- Αναμονη"), 30000));
    EXPECT_EQ(itemsSent(), kItems);
    EXPECT_EQ(result().last(), QStringLiteral("exitcode = 0"));
}

TEST_F(StoppingTheBridge, CommandLineJobRunsOnceWhenTheFirstKxclIsIgnored)
{
    startSimulator(Link::Udp, {QStringLiteral("--drop"), QStringLiteral("1")});
    QFile::copy(QStringLiteral(GOLDEN_DIR "/vats.dat"), path(QStringLiteral("vats.dat")));
    QFile job(path(QStringLiteral("job.txt")));
    ASSERT_TRUE(job.open(QIODevice::WriteOnly));
    job.write(thirtyItemReceipt());
    job.close();
    const QString port = QString::fromLatin1(readFile(path(QStringLiteral("param.ini")))).section(u'\n', 1, 1).mid(7).trimmed();

    auto bridge = startBridge({QStringLiteral("127.0.0.2:%1").arg(port), port, path(QStringLiteral("job.txt")),
                               QStringLiteral("0"), QStringLiteral("mikro"), QStringLiteral("0110000")});
    EXPECT_EQ(bridge->waitForExit(60000), 0) << bridge->errors().toStdString();
    EXPECT_EQ(itemsSent(), kItems);
    EXPECT_EQ(trace().mid(0, 2), (QStringList{"KXCL", "KXCL"})) << "the first is ignored and sent again";
    EXPECT_EQ(result().filter(QStringLiteral("tag = ")).size(), 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("job.txt"))));
}

} // namespace

namespace {

// A serial device that goes away in the middle of a job (the simulator's
// pseudo-terminal closes): every command from then on fails at once, the
// job ends with its end lines, the bridge goes on, and the next job opens
// the device again once it is back.
TEST_F(StoppingTheBridge, ALostSerialDeviceEndsTheJobAndIsOpenedAgainForTheNext)
{
    auto bridge = bridgeInTheMiddleOfAReceipt(Link::Pty);
    simulator.reset(); // the pseudo-terminal goes with it
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονη"), 30000))
        << bridge->errors().toStdString();
    QStringList lines = result();
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 0"));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("receipt = -1, -1, -1, 0"));
    EXPECT_FALSE(lines.filter(QStringLiteral("Err = -1, [")).isEmpty()) << lines.join(u'|').toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("print.1"))));

    QFile::remove(path(QStringLiteral("trace.txt")));
    startSimulator(Link::Pty);
    dropJob("tag:  AGAIN\r\n PLU               IT001                             1       1.00      24\r\n");
    for (int i = 0; i < 100 && QFile::exists(path(QStringLiteral("print.1"))); ++i)
        QThread::msleep(100);
    EXPECT_EQ(trace(), (QStringList{"KXRE", "KXCL", "KXCL", "KX100R1IT001", "KXSTAT", "KXRE"}));
    lines = result();
    lines = lines.mid(lines.lastIndexOf(QStringLiteral("tag = AGAIN")));
    EXPECT_EQ(lines.filter(QStringLiteral("Err = ")), QStringList());
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 0"));
}

// As a user who may not change the job folder (root may change anything):
// the folder turns read-only while the job runs, so its file cannot be
// removed. The job runs once, the operator hears of the file once, a restart
// does not run it again, and the next job runs once the folder can change.
TEST_F(StoppingTheBridge, AJobFileThatCannotBeRemovedRunsOnceAcrossARestart)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "runs the bridge as another user, which only root may";
    startAsNobodyWithJobFolder();
    QFile param(path(QStringLiteral("param.ini")));
    ASSERT_TRUE(param.open(QIODevice::Append));
    param.write(QStringLiteral("[location] %1/\r\n").arg(path(QStringLiteral("jobs"))).toUtf8());
    param.close();

    auto first = startPrintingBridge(Link::Udp);
    ASSERT_TRUE(first->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000)) << first->errors().toStdString();
    dropJob(thirtyItemReceipt(), QStringLiteral("jobs/print.1"));
    ASSERT_TRUE(waitForItem(5));
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("jobs")), QFileDevice::Permissions(0x5555)));
    ASSERT_TRUE(first->waitForOutput(QStringLiteral("status: Δεν ήταν δυνατή η διαγραφή"), 30000))
        << first->errors().toStdString();
    first->signal(SIGTERM);
    EXPECT_EQ(first->waitForExit(), 0);
    EXPECT_EQ(first->errors().count(QStringLiteral("Permission denied")), 1) << first->errors().toStdString();

    auto again = startPrintingBridge(Link::Udp);
    ASSERT_TRUE(again->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000)) << again->errors().toStdString();
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("jobs")), QFileDevice::Permissions(0x7777)));
    dropJob(" snd  LAST\r\n", QStringLiteral("jobs/print.2"));
    for (int i = 0; i < 300 && trace().filter(QStringLiteral("KXLAST")).isEmpty(); ++i)
        QThread::msleep(50);
    EXPECT_EQ(trace().filter(QStringLiteral("KXLAST")).size(), 1);
    EXPECT_EQ(itemsSent(), kItems) << "every item once, none twice";
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("jobs/print.1"))));
    EXPECT_EQ(result().filter(QStringLiteral("tag = THIRTY")).size(), 1);
}

// The same in the ways of working that run one job and end: the job runs
// once, and handed again unchanged it is refused with status 6.
class OneJobRun : public StoppingTheBridge, public ::testing::WithParamInterface<bool> {};

TEST_P(OneJobRun, AJobWhoseFileCannotBeRemovedIsNotRunAgain)
{
    const bool commandLine = GetParam();
    if (::getuid() != 0)
        GTEST_SKIP() << "runs the bridge as another user, which only root may";
    startAsNobodyWithJobFolder();
    const QString port =
        QString::fromLatin1(readFile(path(QStringLiteral("param.ini")))).section(QStringLiteral("[baud] "), 1).section(u'\r', 0, 0);
    QFile param(path(QStringLiteral("param.ini")));
    ASSERT_TRUE(param.open(QIODevice::WriteOnly));
    param.write(QStringLiteral("[port] 127.0.0.2\r\n[baud] %1\r\n[file] print.1\r\n[multi type] fals\r\n[location] %2/\r\n")
                    .arg(port, path(QStringLiteral("jobs")))
                    .toUtf8());
    param.close();
    dropJob(thirtyItemReceipt(), QStringLiteral("jobs/print.1"));
    const QStringList arguments =
        commandLine ? QStringList{QStringLiteral("127.0.0.2:") + port, port, path(QStringLiteral("jobs/print.1")),
                                  QStringLiteral("0"), QStringLiteral("mikro"), QStringLiteral("0110000")}
                    : QStringList{};

    auto first = startPrintingBridge(Link::Udp, {}, arguments);
    ASSERT_TRUE(waitForItem(5)) << first->errors().toStdString();
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("jobs")), QFileDevice::Permissions(0x5555)));
    EXPECT_EQ(first->waitForExit(60000), 0) << first->errors().toStdString();
    EXPECT_EQ(first->errors().count(QStringLiteral("Permission denied")), 1) << first->errors().toStdString();

    auto again = startPrintingBridge(Link::Udp, {}, arguments);
    EXPECT_EQ(again->waitForExit(30000), 6) << again->errors().toStdString();
    EXPECT_TRUE(again->errors().contains(QStringLiteral("έχει ήδη εκτελεστεί"))) << again->errors().toStdString();
    EXPECT_EQ(itemsSent(), kItems) << "every item once, none twice";
    EXPECT_EQ(result().filter(QStringLiteral("tag = THIRTY")).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, OneJobRun, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "command_line" : "single_job"; });

// As a user who may not write the working folder: the bridge says at once
// that it cannot keep its journal, takes no job, and takes it once the
// folder can be written, without a restart.
TEST_F(StoppingTheBridge, NoJobIsTakenWhileTheJournalCannotBeWritten)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "runs the bridge as another user, which only root may";
    asNobody = true;
    startSimulator(Link::Udp);
    QFile::copy(QStringLiteral(GOLDEN_DIR "/vats.dat"), path(QStringLiteral("vats.dat")));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555)));

    auto bridge = startPrintingBridge(Link::Udp);
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000)) << bridge->errors().toStdString();
    EXPECT_TRUE(bridge->errors().contains(QStringLiteral("Δεν είναι δυνατή η εγγραφή του ημερολογίου εργασιών")))
        << bridge->errors().toStdString();
    dropJob(" snd  ONE\r\n");
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("status: Δεν είναι δυνατή η εγγραφή του ημερολογίου"), 20000));
    EXPECT_TRUE(trace().filter(QStringLiteral("KXONE")).isEmpty());

    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
    // The file goes after the block's last line.
    for (int i = 0; i < 300 && QFile::exists(path(QStringLiteral("print.1"))); ++i)
        QThread::msleep(50);
    EXPECT_TRUE(result().contains(QStringLiteral("exitcode = 0")));
    EXPECT_EQ(trace().filter(QStringLiteral("KXONE")).size(), 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("print.1"))));
}

} // namespace
