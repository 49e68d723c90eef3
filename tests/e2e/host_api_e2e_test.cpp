// The host API of a real merovand against merovan-sim: jobs by HTTP taken
// between folder jobs with the register's trace and every result block as
// expected, a job cut short by kill -9 never run again for its key, the
// refusals at start and a damaged history.
#include "../api/http_test_client.h"
#include "printing_bridge.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>

#include <csignal>

using namespace merovan::test;

namespace {

// One item of a five-letter code and cash.
QByteArray receipt(const char *tag, const char *item)
{
    return QByteArray("tag:  ") + tag + "\r\n PLU               " + item +
           "                             1       2.50      24\r\n to    1       2.50\r\n";
}

QStringList expected(const QString &name)
{
    return QString::fromUtf8(readFile(QStringLiteral(HOST_API_DIR "/") + name)).split(u'\n');
}

class HostApiE2e : public PrintingBridge, public ::testing::WithParamInterface<Link> {
protected:
    // A resident bridge with the host API on a free loopback port.
    std::unique_ptr<Program> startApiBridge(const QStringList &more = {})
    {
        QTcpServer probe; // the port is free again once it goes
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        auto bridge = startBridge(QStringList{QStringLiteral("--http"), QStringLiteral("127.0.0.1:%1").arg(port)} + more);
        const QString listening = QStringLiteral("host API at http://127.0.0.1:%1/").arg(port);
        for (int i = 0; i < 100 && !bridge->errors().contains(listening); ++i)
            bridge->waitForOutput(QStringLiteral("\x01"), 100);
        EXPECT_TRUE(bridge->errors().contains(listening)) << bridge->errors().toStdString();
        return bridge;
    }
    HttpReply post(const QByteArray &target, const QByteArray &key, const QByteArray &body = {})
    {
        return exchange(port, requestBytes("POST", target, {{"Idempotency-Key", key}}, body));
    }
    QJsonObject getJob(qint64 id, int waitSeconds = 0)
    {
        const HttpReply reply = exchange(port, requestBytes("GET", "/v1/jobs/" + QByteArray::number(id) + "?wait=" +
                                                                       QByteArray::number(waitSeconds)));
        return QJsonDocument::fromJson(reply.body).object();
    }
    static qint64 idOf(const HttpReply &reply) { return QJsonDocument::fromJson(reply.body).object()["id"].toInteger(); }
    // The job's result block, times masked.
    static QString blockOf(const QJsonObject &job)
    {
        QStringList lines;
        for (const QJsonValue &line : job["result"].toArray())
            lines << maskTimes(line.toString());
        return lines.join(u'\n');
    }

    quint16 port = 0;
};

TEST_P(HostApiE2e, FolderAndHostJobsTakeTurnsWithTheTraceAndEveryBlockAsExpected)
{
    startSimulator(GetParam(), {QStringLiteral("--latency"), QStringLiteral("5")});
    preparePrintingFolder();
    dropJob(receipt("DIR1", "FLD01"), QStringLiteral("print.1"));
    dropJob(receipt("DIR2", "FLD02"), QStringLiteral("print.2"));
    // The API listens before the bridge looks for the register, so both
    // are queued before the first job is taken.
    auto bridge = startApiBridge();
    const HttpReply first = post("/v1/jobs", "host-1", receipt("API1", "API01"));
    const HttpReply second = post("/v1/jobs", "host-2", receipt("API2", "API02"));
    ASSERT_EQ(first.status, 202) << first.body.toStdString();
    ASSERT_EQ(second.status, 202) << second.body.toStdString();
    const QJsonObject lastJob = getJob(idOf(second), 60);
    ASSERT_EQ(lastJob["state"].toString(), QStringLiteral("done")) << bridge->errors().toStdString();
    const QJsonObject firstJob = getJob(idOf(first));

    const QString blocks = blockOf(firstJob) + u'\n' + blockOf(lastJob);
    const QString hostResult = maskTimes(QString::fromLatin1(readFile(path(QStringLiteral("Result")))))
                                   .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString traced = QString::fromLatin1(readFile(path(QStringLiteral("trace.txt"))));
    if (qEnvironmentVariableIsSet("MEROVAN_UPDATE_GOLDEN")) {
        for (const auto &[name, text] : {std::pair{"trace.txt", traced}, std::pair{"result.txt", hostResult},
                                         std::pair{"api-results.txt", blocks}}) {
            QFile file(QStringLiteral(HOST_API_DIR "/") + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        return;
    }
    EXPECT_EQ(traced.split(u'\n'), expected(QStringLiteral("trace.txt")));
    EXPECT_EQ(hostResult.split(u'\n'), expected(QStringLiteral("result.txt")));
    EXPECT_EQ(blocks.split(u'\n'), expected(QStringLiteral("api-results.txt")));
}

// kill -9 in the middle of a host's receipt: after the restart the job is
// interrupted through the API, and the same key never sends an item again.
TEST_P(HostApiE2e, AReceiptCutShortByKillIsInterruptedAndItsKeyNeverRunsItAgain)
{
    startSimulator(GetParam(), {QStringLiteral("--latency"), QStringLiteral("40")});
    preparePrintingFolder();
    auto bridge = startApiBridge();
    const HttpReply handed = post("/v1/jobs", "sale-cut", thirtyItemReceipt());
    ASSERT_EQ(handed.status, 202) << handed.body.toStdString();
    ASSERT_TRUE(waitForItem(5));
    bridge->signal(SIGKILL);
    bridge->waitForExit();

    auto restarted = startApiBridge();
    QJsonObject job;
    for (int i = 0; i < 100 && job["state"].toString() != QStringLiteral("interrupted"); ++i) {
        job = getJob(idOf(handed), 1);
        QThread::msleep(50);
    }
    EXPECT_EQ(job["state"].toString(), QStringLiteral("interrupted")) << restarted->errors().toStdString();
    EXPECT_TRUE(blockOf(job).contains(QStringLiteral("Err = -97, [interrupted at line"))) << blockOf(job).toStdString();

    const int sentBefore = itemsSent();
    const HttpReply again = post("/v1/jobs", "sale-cut", thirtyItemReceipt());
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(idOf(again), idOf(handed));
    EXPECT_EQ(QJsonDocument::fromJson(again.body).object()["state"].toString(), QStringLiteral("interrupted"));
    // A folder job after it runs, and nothing of the cut receipt comes with it.
    dropJob(receipt("AFTER", "AFT01"));
    EXPECT_TRUE(waitForCommand(QStringLiteral("AFT01")));
    EXPECT_EQ(itemsSent(), sentBefore);
}

INSTANTIATE_TEST_SUITE_P(Links, HostApiE2e, ::testing::Values(Link::Udp, Link::Pty),
                         [](const auto &info) { return info.param == Link::Udp ? "udp" : "pty"; });

class HostApiStart : public PrintingBridge {};

// An API that other hosts could reach without a token, or one that cannot
// listen, ends the program at start with its reason and status 8.
TEST_F(HostApiStart, AnApiThatCannotBeSafeEndsTheProgramAtStart)
{
    startSimulator(Link::Udp);
    preparePrintingFolder();
    const struct {
        QStringList arguments;
        const char *param;
        const char *says;
    } cases[] = {
        {{"--http", "0.0.0.0:8123"}, "", "token"},
        {{}, "[http] 192.0.2.1:8123\r\n", "token"},
        {{"--http", "nonsense"}, "", "nonsense"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString() + c.param);
        QFile param(path(QStringLiteral("param.ini")));
        ASSERT_TRUE(param.open(QIODevice::Append));
        param.write(c.param);
        param.close();
        auto bridge = startBridge(c.arguments);
        EXPECT_EQ(bridge->waitForExit(10000), 8);
        EXPECT_TRUE(bridge->errors().contains(QLatin1String(c.says))) << bridge->errors().toStdString();
        EXPECT_TRUE(trace().filter(QStringLiteral("KX")).isEmpty()) << "nothing sent";
    }
}

// A damaged history never stops the folder's work: it is set aside, the
// operator hears of it, and a new one records the next job.
TEST_F(HostApiStart, ADamagedHistoryIsSetAsideAndTheFolderWorkGoesOn)
{
    startSimulator(Link::Udp);
    preparePrintingFolder();
    QFile damaged(path(QStringLiteral("merovan.db")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, '\x5a'));
    damaged.close();
    dropJob(receipt("AFTER", "ITM01"));
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("Αναμονή"), 20000)) << bridge->errors().toStdString();
    for (int i = 0; i < 200 && QFile::exists(path(QStringLiteral("print.1"))); ++i)
        QThread::msleep(50);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("print.1"))));
    EXPECT_TRUE(bridge->errors().contains(QStringLiteral("κατεστραμμένο"))) << bridge->errors().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("merovan.db.corrupt-*")}).size(), 1);
    EXPECT_TRUE(result().contains(QStringLiteral("tag = AFTER")));
}

} // namespace
