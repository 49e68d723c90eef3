// merovand against merovan-sim, both run as programs, over real UDP on
// loopback and over a pseudo-terminal the simulator creates.
#include "processes.h"
#include "qt_printers.h"
#include "register_end.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace merovan::test;

namespace {

const QString kSearching = QStringLiteral("caption: Merovan- Αναζήτηση");
const QString kSearchingStatus = QStringLiteral("status: Εύρεση Φορολογικής Ταμειακής !!! ");
const QString kReadyStatus = QStringLiteral("status: Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις");
const QString kReady = QStringLiteral("caption: Merovan- Έτοιμο");
const QString kOffline = QStringLiteral("caption: Merovan- Λάθος!");
const QString kOfflineStatus = QStringLiteral("status: Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !");
const QString kNoAnswer = QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !");

enum class Link { Udp, Pty };

class BridgeAgainstSimulator : public ::testing::Test {
protected:
    // Starts the simulator on the given link with extra switches and writes
    // a param.ini that points the bridge at it.
    void startSimulator(Link link, QStringList switches = {})
    {
        QString port;
        QString baud;
        if (link == Link::Udp) {
            const quint16 udpPort = RegisterEnd(RegisterEnd::Udp).port(); // free once the probe goes
            switches << QStringLiteral("--udp") << QStringLiteral("127.0.0.2:%1").arg(udpPort);
            port = QStringLiteral("127.0.0.2");
            baud = QString::number(udpPort);
        } else {
            switches << QStringLiteral("--pty") << path(QStringLiteral("ttySIM"));
            bridgeEnvironment << QStringLiteral("MEROVAN_COM1=") + path(QStringLiteral("ttySIM"));
            port = QStringLiteral("com1");
            baud = QStringLiteral("9600");
        }
        switches << QStringLiteral("--trace") << path(QStringLiteral("trace.txt"));
        simulator = std::make_unique<Program>(QStringLiteral(MEROVAN_SIM), switches, dir.path());
        ASSERT_TRUE(simulator->waitForOutput(QStringLiteral("ready on"), 10000)) << simulator->errors().toStdString();

        QFile param(path(QStringLiteral("param.ini")));
        ASSERT_TRUE(param.open(QIODevice::WriteOnly));
        param.write(QStringLiteral("[port] %1\r\n[baud] %2\r\n[file] print\r\n[multi type] true\r\n")
                        .arg(port, baud)
                        .toLatin1());
    }

    std::unique_ptr<Program> startBridge(const QStringList &arguments = {})
    {
        return std::make_unique<Program>(QStringLiteral(MEROVAND), arguments, dir.path(), bridgeEnvironment);
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QStringList bridgeEnvironment;
    std::unique_ptr<Program> simulator;
};

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

TEST_F(BridgeAgainstSimulator, SilentRegisterGoesOfflineThreeTicksAfterFourAttempts)
{
    startSimulator(Link::Udp, {QStringLiteral("--silent")});
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(kOffline, 60000)) << bridge->errors().toStdString();

    EXPECT_EQ(bridge->errors(), kNoAnswer.left(40) + QLatin1Char('\n'));
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

    auto refused = startBridge({QStringLiteral("a,b")});
    EXPECT_EQ(refused->waitForExit(), 1);
    const QStringList banner = refused->outputLines();
    ASSERT_EQ(banner.size(), 4);
    EXPECT_TRUE(banner[2].contains(QStringLiteral("Ευχαριστουμε που χρησιμοποιησατε την εφαρμογη Merovan")));
}

} // namespace
