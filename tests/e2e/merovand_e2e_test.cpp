// merovand against merovan-sim, both run as programs, over real UDP on
// loopback and over a pseudo-terminal the simulator creates.
#include "bridge_against_simulator.h"
#include "qt_printers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <QUdpSocket>

#include <signal.h>

using namespace merovan::test;

namespace {

class ReachesTheRegister : public BridgeAgainstSimulator, public ::testing::WithParamInterface<Link> {};

TEST_P(ReachesTheRegister, ShowsReadyAfterKxclAndReadsTheVersion)
{
    startSimulator(GetParam());
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kReady, 20000)) << bridge->errors().toStdString();

    EXPECT_EQ(bridge->outputLines(), (QStringList{kSearching, kSearchingStatus, kReadyStatus, kReady}));
    EXPECT_EQ(readFile(path(QStringLiteral("trace.txt"))), QByteArray("KXCL\nKXVER\n"));
    EXPECT_TRUE(bridge->errors().isEmpty()) << bridge->errors().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Links, ReachesTheRegister, ::testing::Values(Link::Udp, Link::Pty),
                         [](const auto &info) { return info.param == Link::Udp ? "udp" : "pty"; });

TEST_F(BridgeAgainstSimulator, ErrorReplyIsShownLoggedAnsweredAndCountedTowardsOffline)
{
    startSimulator(Link::Udp, {QStringLiteral("--error"), QStringLiteral("KXCL=1038")});
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kOffline, 20000)) << bridge->errors().toStdString();

    const QString text = QStringLiteral("Ανοικτή Απόδειξη, Υποχρεωτική Εξόφληση!");
    EXPECT_EQ(bridge->errors(), (QStringLiteral("Λάθος : 1038 ") + text).left(40) + QLatin1Char('\n'));
    EXPECT_EQ(bridge->outputLines(), (QStringList{kSearching, kSearchingStatus,
                                                  QStringLiteral("caption: ") + text + QStringLiteral("Σφάλμα !!!"),
                                                  QStringLiteral("status: 1038"), kOfflineStatus, kOffline}));
    EXPECT_EQ(readFile(path(QStringLiteral("trace.txt"))), QByteArray("KXCL\nKXCL\n"));
    EXPECT_TRUE(QString::fromLatin1(readFile(path(QStringLiteral("Result"))))
                    .startsWith(QStringLiteral("Err = 1038, [KXCL] DateTime = ")));
}

// The same error reply cut inside its number, in two datagrams 30 ms apart.
TEST_F(BridgeAgainstSimulator, AnErrorReplyCutInsideItsNumberReadsWhole)
{
    startSimulator(Link::Udp, {QStringLiteral("--error"), QStringLiteral("KXCL=1038"), QStringLiteral("--split-errors")});
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kOffline, 20000)) << bridge->errors().toStdString();
    EXPECT_TRUE(bridge->errors().startsWith(QStringLiteral("Λάθος : 1038 "))) << bridge->errors().toStdString();
    EXPECT_TRUE(QString::fromLatin1(readFile(path(QStringLiteral("Result"))))
                    .startsWith(QStringLiteral("Err = 1038, [KXCL] DateTime = ")));
}

TEST_F(BridgeAgainstSimulator, SilentRegisterGoesOfflineThreeTicksAfterFourAttempts)
{
    startSimulator(Link::Udp, {QStringLiteral("--silent")});
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kOffline, 60000)) << bridge->errors().toStdString();

    // The message box's 40 characters, without the blank they end in.
    EXPECT_EQ(bridge->errors(), kNoAnswer.left(39) + QLatin1Char('\n'));
    EXPECT_EQ(bridge->outputLines(),
              (QStringList{kSearching, kSearchingStatus, QStringLiteral("caption: ") + kNoAnswer + QStringLiteral("Σφάλμα !!!"),
                           QStringLiteral("status: ") + kNoAnswer, kOfflineStatus, kOffline}));
    EXPECT_EQ(readFile(path(QStringLiteral("trace.txt"))), QByteArray("KXCL\nKXCL\nKXCL\nKXCL\n"));
}

TEST_F(BridgeAgainstSimulator, RefusesToStartWithoutSettingsOrWithAShortCommandLine)
{
    auto missing = startBridge();
    EXPECT_EQ(missing->waitForExit(), 2);
    EXPECT_TRUE(missing->errors().contains(QStringLiteral("param.ini")));
    EXPECT_TRUE(missing->errors().contains(QDir(dir.path()).canonicalPath()) ||
                missing->errors().contains(dir.path()));

    auto version = startBridge({QStringLiteral("--version")});
    EXPECT_EQ(version->waitForExit(), 0);
    EXPECT_EQ(version->outputLines(), QStringList{QStringLiteral("merovand ") + QStringLiteral(MEROVAN_VERSION)});
    auto help = startBridge({QStringLiteral("--help")});
    EXPECT_EQ(help->waitForExit(), 0);
    EXPECT_TRUE(help->outputLines().value(0).startsWith(QStringLiteral("Usage: merovand ")));

    // The banner as ever, and one line on standard error: what was wrong.
    const std::pair<QStringList, QString> refusals[] = {
        {{QStringLiteral("a,b")}, QStringLiteral("merovand: 2 fields where a job's command line has 6")},
        {{QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("merovand: 2 fields where a job's command line")},
        {{QStringLiteral("--bogus")}, QStringLiteral("merovand: unknown option \"--bogus\"; see merovand --help\n")},
    };
    for (const auto &[arguments, problem] : refusals) {
        auto refused = startBridge(arguments);
        EXPECT_EQ(refused->waitForExit(), 1);
        const QStringList banner = refused->outputLines();
        ASSERT_EQ(banner.size(), 4);
        EXPECT_TRUE(banner[2].contains(QStringLiteral("Ευχαριστουμε που χρησιμοποιησατε την εφαρμογη Merovan")));
        const QString errors = refused->errors();
        EXPECT_TRUE(errors.startsWith(problem)) << errors.toStdString();
        EXPECT_TRUE(errors.endsWith(QStringLiteral("; see merovand --help\n")) && errors.count(QLatin1Char('\n')) == 1)
            << errors.toStdString();
    }
}

// The dry run needs no register: a good job gives status 0, a job with
// something to point out 1 with the place, a missing one 4.
TEST_F(BridgeAgainstSimulator, ChecksAJobWithoutARegister)
{
    preparePrintingFolder();
    const auto check = [this](const char *name, const QByteArray &job) {
        QFile file(path(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(job) == job.size());
        file.close();
        return startBridge({QStringLiteral("--check"), QString::fromLatin1(name)});
    };
    auto fine = check("good.txt", " PLU 1001          CAFE                              2       2.50      24\r\n"
                                  " to    1   5.00\r\n");
    EXPECT_EQ(fine->waitForExit(), 0);
    const QStringList report = fine->outputLines();
    EXPECT_TRUE(report.contains(QStringLiteral("    sends KX250R1CAFE"))) << report.join(u'\n').toStdString();
    EXPECT_EQ(report.value(report.size() - 1), QStringLiteral("Nothing to point out."));

    auto pointed = check("bad.txt", " to    1   5\r\n");
    EXPECT_EQ(pointed->waitForExit(), 1);
    EXPECT_TRUE(pointed->outputLines().contains(
        QStringLiteral("bad.txt:1:11: amount (columns 11-19) \"5\" has no decimals: the register takes it as 5 hundredths")));

    EXPECT_EQ(startBridge({QStringLiteral("--check"), QStringLiteral("missing.txt")})->waitForExit(), 4);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Result")))) << "a dry run writes no result file";
}

// What merovand shows the operator goes to standard error as whole lines,
// without the blanks that fit a message box's text to 40 characters.
TEST_F(BridgeAgainstSimulator, MessagesOnStandardErrorAreWholeLinesWithoutPadding)
{
    startSimulator(Link::Udp);
    preparePrintingFolder();
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000))
        << bridge->errors().toStdString();
    dropJob(" PLU 1001          CAFE                              1       2.50      23\r\n");
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονη"), 20000));

    const QString errors = bridge->errors();
    EXPECT_TRUE(errors.endsWith(QLatin1Char('\n'))) << errors.toStdString();
    const QStringList lines = errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("Ανύπαρκτη κατηγορία ΦΠΑ"))) << errors.toStdString();
    for (const QString &line : lines)
        EXPECT_FALSE(line.endsWith(QLatin1Char(' '))) << line.toStdString();
}

} // namespace

namespace {

// A reply held back by --latency does not hold the simulator: it goes on
// receiving, and a stop signal ends it at once.
TEST_F(BridgeAgainstSimulator, TheSimulatorKeepsReceivingWhileRepliesWaitAndStopsAtOnce)
{
    startSimulator(Link::Udp, {QStringLiteral("--latency"), QStringLiteral("3000")});
    const QString param = QString::fromLatin1(readFile(path(QStringLiteral("param.ini"))));
    const quint16 port = param.section(QStringLiteral("[baud] "), 1).section(QStringLiteral("\r\n"), 0, 0).toUShort();
    QUdpSocket host;
    ASSERT_TRUE(host.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    host.writeDatagram("KXCL\r\n", QHostAddress(QStringLiteral("127.0.0.2")), port);
    host.writeDatagram("KXSTAT\r\n", QHostAddress(QStringLiteral("127.0.0.2")), port);
    QDeadlineTimer guard(2500); // less than the first reply's latency
    while (readFile(path(QStringLiteral("trace.txt"))) != "KXCL\nKXSTAT\n" && !guard.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(readFile(path(QStringLiteral("trace.txt"))), QByteArray("KXCL\nKXSTAT\n"));
    EXPECT_FALSE(host.hasPendingDatagrams()) << "the replies still wait";
    simulator->signal(SIGTERM);
    EXPECT_EQ(simulator->waitForExit(2500), 0) << "ended before the first reply was due";
}

} // namespace

namespace {

// The desktop bridge takes the same six fields: it runs the job once and
// ends with the job's status, under the offscreen platform as on a desk.
TEST_F(BridgeAgainstSimulator, TheDesktopBridgeRunsACommandLineJob)
{
    startSimulator(Link::Udp);
    const QString param = QString::fromLatin1(readFile(path(QStringLiteral("param.ini"))));
    const QString port = param.section(QStringLiteral("[baud] "), 1).section(QStringLiteral("\r\n"), 0, 0);
    QFile job(path(QStringLiteral("job.txt")));
    ASSERT_TRUE(job.open(QIODevice::WriteOnly));
    job.write("tag:  DESK\r\n snd  A1\r\n");
    job.close();
    Program desktop(QStringLiteral(MEROVAN),
                    {QStringLiteral("127.0.0.2:") + port, port, job.fileName(), QStringLiteral("0"),
                     QStringLiteral("mikro"), QStringLiteral("0110000")},
                    dir.path(), {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
    EXPECT_EQ(desktop.waitForExit(30000), 0) << desktop.errors().toStdString();
    // The simulator refuses "A1"; the bridge answers that with "KXCL".
    EXPECT_EQ(readFile(path(QStringLiteral("trace.txt"))), QByteArray("KXCL\nKXCL\nKXCL\nKXA1\nKXCL\nKXSTAT\nKXRE\n"));
    const QString result = QString::fromLatin1(readFile(path(QStringLiteral("Result"))));
    EXPECT_TRUE(result.startsWith(QStringLiteral("tag = DESK\r\n"))) << result.toStdString();
    EXPECT_TRUE(result.endsWith(QStringLiteral("exitcode = 0\r\n"))) << result.toStdString();
    EXPECT_FALSE(job.exists());
}

} // namespace
