#include "api_fixture.h"

#include "greek/cp1253.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>

namespace merovan::test {
namespace {

QJsonObject json(const HttpReply &reply)
{
    return QJsonDocument::fromJson(reply.body).object();
}

const QPair<QByteArray, QByteArray> kKey{"Idempotency-Key", "receipt-1"};
const QPair<QByteArray, QByteArray> kBearer{"Authorization", "Bearer " + kToken};

using ApiRoutes = ApiFixture;

// Every endpoint's answers and errors, from this host.
TEST_F(ApiRoutes, EachRequestGetsItsStatusAndErrorCode)
{
    const struct {
        QByteArray method;
        QByteArray target;
        HttpHeaders headers;
        QByteArray body;
        int status;
        QByteArray error;
    } cases[] = {
        {"POST", "/v1/jobs", {kKey}, "job", 202, ""},
        {"POST", "/v1/jobs", {}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs", {{"Idempotency-Key", ""}}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs", {{"Idempotency-Key", QByteArray(200, 'k')}}, "job", 202, ""},
        {"POST", "/v1/jobs", {{"Idempotency-Key", QByteArray(201, 'k')}}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs", {{"Idempotency-Key", "\xce\xba"}}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs", {kKey}, "", 400, "bad-request"},
        {"POST", "/v1/jobs?wait=61", {kKey}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs?wait=-1", {kKey}, "job", 400, "bad-request"},
        {"POST", "/v1/jobs?wait=soon", {kKey}, "job", 400, "bad-request"},
        {"PUT", "/v1/jobs", {kKey}, "job", 405, "method-not-allowed"},
        {"GET", "/v1/jobs", {}, "", 200, ""},
        {"GET", "/v1/jobs?limit=500&before=8", {}, "", 200, ""},
        {"GET", "/v1/jobs?limit=0", {}, "", 400, "bad-request"},
        {"GET", "/v1/jobs?limit=501", {}, "", 400, "bad-request"},
        {"GET", "/v1/jobs?before=x", {}, "", 400, "bad-request"},
        {"GET", "/v1/jobs/7", {}, "", 200, ""},
        {"GET", "/v1/jobs/7?wait=60", {}, "", 200, ""},
        {"GET", "/v1/jobs/7?wait=61", {}, "", 400, "bad-request"},
        {"GET", "/v1/jobs/99", {}, "", 404, "not-found"},
        {"GET", "/v1/jobs/0", {}, "", 404, "not-found"},
        {"GET", "/v1/jobs/seven", {}, "", 404, "not-found"},
        {"POST", "/v1/jobs/7", {kKey}, "job", 405, "method-not-allowed"},
        {"GET", "/v1/status", {}, "", 200, ""},
        {"POST", "/v1/status", {}, "", 405, "method-not-allowed"},
        {"POST", "/v1/reports/x", {kKey}, "", 202, ""},
        {"POST", "/v1/reports/period-x", {kKey}, "", 202, ""},
        {"POST", "/v1/reports/period-z", {kKey}, "", 202, ""},
        {"POST", "/v1/reports/x", {}, "", 400, "bad-request"},
        {"POST", "/v1/reports/y", {kKey}, "", 404, "not-found"},
        {"GET", "/v1/reports/x", {}, "", 405, "method-not-allowed"},
        {"POST", "/v1/reports/z", {kKey}, "", 401, "unauthorized"},
        {"POST", "/v1/reports/z", {kKey, kBearer}, "", 202, ""},
        {"POST", "/v1/reports/z", {kKey, {"Authorization", "Bearer wrong"}}, "", 401, "unauthorized"},
        // A job that can close the fiscal day needs the token as the Z report does.
        {"POST", "/v1/jobs", {kKey}, "tag:  Z\r\n MKZ\r\n", 401, "unauthorized"},
        {"POST", "/v1/jobs", {kKey}, "tag:  Z\r\n snd  KX021T1\r\n", 401, "unauthorized"},
        {"POST", "/v1/jobs", {kKey}, "tag:  Z\r\n PRG  1\r\n", 401, "unauthorized"},
        {"POST", "/v1/jobs", {kKey, kBearer}, "tag:  Z\r\n mkz\r\n", 202, ""},
        {"POST", "/v1/stop", {}, "", 401, "unauthorized"},
        {"GET", "/v1/stop", {kBearer}, "", 405, "method-not-allowed"},
        {"GET", "/v1/log", {}, "", 200, ""},
        {"GET", "/v1/log?after=-1", {}, "", 400, "bad-request"},
        {"GET", "/v1/log?after=3&wait=99", {}, "", 400, "bad-request"},
        {"DELETE", "/v1/log", {}, "", 405, "method-not-allowed"},
        {"GET", "/metrics", {}, "", 200, ""},
        {"GET", "/v1/status", {{"Authorization", "Basic dXNlcjpwYXNz"}}, "", 401, "unauthorized"},
        // A page that renamed itself to 127.0.0.1 through its own DNS.
        {"GET", "/v1/status", {{"Host", "shop.example:8080"}}, "", 401, "unauthorized"},
        {"GET", "/v1/status", {{"Host", "shop.example:8080"}, kBearer}, "", 200, ""},
        {"GET", "/v1", {}, "", 404, "not-found"},
        {"GET", "/v1/jobs/7/result", {}, "", 404, "not-found"},
        {"GET", "/", {}, "", 200, ""},
        {"GET", "/console.js", {}, "", 200, ""},
        {"GET", "/console.css", {}, "", 200, ""},
        {"GET", "/console.html", {}, "", 404, "not-found"},
    };
    for (const auto &c : cases) {
        const HttpReply reply = send(c.method, c.target, c.headers, c.body);
        EXPECT_EQ(reply.status, c.status) << c.method.data() << ' ' << c.target.data() << ' ' << reply.body.data();
        EXPECT_EQ(reply.errorCode(), c.error) << c.method.data() << ' ' << c.target.data();
    }
}

TEST_F(ApiRoutes, AWrongMethodIsToldWhatThePathTakes)
{
    const HttpReply reply = send("PATCH", "/v1/jobs");
    EXPECT_EQ(reply.status, 405);
    EXPECT_EQ(reply.header("Allow"), "POST, GET");
}

// What each verdict of the backend on a key is answered with.
TEST_F(ApiRoutes, TheBackendsVerdictOnAKeyGivesTheStatus)
{
    const struct {
        SubmitVerdict verdict;
        qint64 sameJob;
        int status;
        QByteArray error;
        QByteArray location;
    } cases[] = {
        {SubmitVerdict::Queued, 0, 202, "", "/v1/jobs/9"},
        {SubmitVerdict::SameJob, 7, 200, "", "/v1/jobs/7"}, // it has ended
        {SubmitVerdict::SameJob, 8, 202, "", "/v1/jobs/8"}, // it is running
        {SubmitVerdict::KeyUsedOtherwise, 0, 422, "key-reused", ""},
        {SubmitVerdict::Stopping, 0, 503, "stopping", ""},
        {SubmitVerdict::NoHistory, 0, 503, "no-history", ""},
    };
    for (const auto &c : cases) {
        backend.verdict = c.verdict;
        backend.sameJobId = c.sameJob;
        for (const QByteArray target : {"/v1/jobs", "/v1/reports/x"}) {
            const HttpReply reply = send("POST", target, {kKey}, target == "/v1/jobs" ? "job" : "");
            EXPECT_EQ(reply.status, c.status) << target.data() << ' ' << reply.body.data();
            EXPECT_EQ(reply.errorCode(), c.error) << target.data();
            if (c.location.isEmpty())
                continue;
            EXPECT_EQ(reply.header("Location"), c.location);
            EXPECT_EQ(json(reply).value(QStringLiteral("url")).toString().toLatin1(), c.location);
            backend.jobRecords.remove(9); // the report makes job 9 again
        }
    }
}

TEST_F(ApiRoutes, ASubmissionCarriesItsKeyKindAndText)
{
    send("POST", "/v1/jobs", {kKey}, "line 1\r\n");
    send("POST", "/v1/reports/z", {{"Idempotency-Key", "z-2026-12-07"}, kBearer});
    ASSERT_EQ(backend.submissions.size(), 2);
    EXPECT_EQ(backend.submissions[0].idempotencyKey, QStringLiteral("receipt-1"));
    EXPECT_EQ(backend.submissions[0].kind, JobKind::Job);
    EXPECT_EQ(backend.submissions[0].jobText, "line 1\r\n");
    EXPECT_EQ(backend.submissions[1].idempotencyKey, QStringLiteral("z-2026-12-07"));
    EXPECT_EQ(backend.submissions[1].kind, JobKind::ZReport);
    EXPECT_TRUE(backend.submissions[1].jobText.isEmpty());
}

TEST_F(ApiRoutes, AUtf8BodyReachesTheBackendAsWindows1253)
{
    const QString text = QStringLiteral("ΚΑΦΕΣ ελληνικός 2,50€\r\n");
    for (const QByteArray type : {"text/plain; charset=utf-8", "text/plain;charset=\"UTF-8\""}) {
        backend.submissions.clear();
        EXPECT_EQ(send("POST", "/v1/jobs", {kKey, {"Content-Type", type}}, text.toUtf8()).status, 202);
        ASSERT_EQ(backend.submissions.size(), 1);
        EXPECT_EQ(backend.submissions[0].jobText, toCp1253(text)) << type.data();
    }
    backend.submissions.clear();
    // Any other body is Windows-1253 already.
    EXPECT_EQ(send("POST", "/v1/jobs", {kKey, {"Content-Type", "text/plain"}}, toCp1253(text)).status, 202);
    EXPECT_EQ(send("POST", "/v1/jobs", {kKey}, "\xca\xc1").status, 202);
    ASSERT_EQ(backend.submissions.size(), 2);
    EXPECT_EQ(backend.submissions[0].jobText, toCp1253(text));
    EXPECT_EQ(backend.submissions[1].jobText, "\xca\xc1");
}

TEST_F(ApiRoutes, AUtf8CharacterWithoutAWindows1253ByteIsRefusedWithItsPlace)
{
    const struct {
        QByteArray body;
        QString message;
    } cases[] = {
        {QStringLiteral("ok\r\nab\U0001F600\r\n").toUtf8(), QStringLiteral("U+1F600 at line 2, column 3 has no Windows-1253 byte")},
        {QStringLiteral("ж").toUtf8(), QStringLiteral("U+0436 at line 1, column 1 has no Windows-1253 byte")},
        {"\xff\xfe", QStringLiteral("the body is not valid UTF-8")},
    };
    for (const auto &c : cases) {
        const HttpReply reply = send("POST", "/v1/jobs", {kKey, {"Content-Type", "text/plain; charset=utf-8"}}, c.body);
        EXPECT_EQ(reply.status, 400);
        EXPECT_EQ(json(reply).value(QStringLiteral("message")).toString(), c.message);
    }
    EXPECT_TRUE(backend.submissions.isEmpty());
}

TEST_F(ApiRoutes, ABodyOverOneMebibyteIsTooLarge)
{
    const qsizetype mebibyte = 1024 * 1024;
    EXPECT_EQ(send("POST", "/v1/jobs", {kKey}, QByteArray(mebibyte, 'j')).status, 202);
    const HttpReply over = send("POST", "/v1/jobs", {kKey}, QByteArray(mebibyte + 1, 'j'));
    EXPECT_EQ(over.status, 413);
    EXPECT_EQ(over.errorCode(), "too-large");
    EXPECT_EQ(backend.submissions.size(), 1);
}

// A body that claims 100 MiB is cut off once it is past the limit, not read
// to its end into memory.
TEST_F(ApiRoutes, ARequestFarOverTheLimitIsCutOffBeforeItIsWhole)
{
    const QByteArray head = "POST /v1/jobs HTTP/1.1\r\nHost: 127.0.0.1\r\nIdempotency-Key: k\r\n"
                            "Content-Length: 104857600\r\n\r\n";
    const HttpReply reply = exchange(server->port(), head + QByteArray(2 * 1024 * 1024, 'j'));
    EXPECT_TRUE(reply.status == 413 || reply.closed) << reply.status;
    EXPECT_TRUE(backend.submissions.isEmpty());
    EXPECT_EQ(send("GET", "/v1/status").status, 200);
}

TEST_F(ApiRoutes, TheStopNeedsTheTokenAndIsPassedOn)
{
    EXPECT_EQ(send("POST", "/v1/stop").status, 401);
    EXPECT_EQ(backend.stopRequests, 0);
    const HttpReply reply = send("POST", "/v1/stop", {kBearer});
    EXPECT_EQ(reply.status, 202);
    EXPECT_EQ(reply.body, R"({"stopping":true})");
    EXPECT_EQ(backend.stopRequests, 1);
    EXPECT_EQ(send("POST", "/v1/stop", {kBearer}).status, 202);

    // Whatever the backend would say, nothing new is handed to it.
    backend.verdict = SubmitVerdict::Queued;
    for (const QByteArray target : {"/v1/jobs", "/v1/reports/x"}) {
        const HttpReply refused = send("POST", target, {kKey}, "job");
        EXPECT_EQ(refused.status, 503);
        EXPECT_EQ(refused.errorCode(), "stopping");
    }
    EXPECT_TRUE(backend.submissions.isEmpty());
    EXPECT_EQ(send("GET", "/v1/jobs/7").status, 200);
}

TEST_F(ApiRoutes, JobsComeNewestFirstAPageAtATime)
{
    for (qint64 id = 9; id <= 12; ++id)
        backend.addJob(id, JobState::Done);
    const auto ids = [](const HttpReply &reply) {
        QList<qint64> list;
        for (const QJsonValue &job : json(reply).value(QStringLiteral("jobs")).toArray())
            list << job.toObject().value(QStringLiteral("id")).toInteger();
        return list;
    };
    const HttpReply first = send("GET", "/v1/jobs?limit=4");
    EXPECT_EQ(ids(first), (QList<qint64>{12, 11, 10, 9}));
    EXPECT_EQ(json(first).value(QStringLiteral("next")).toInteger(), 9);
    const HttpReply last = send("GET", "/v1/jobs?limit=4&before=9");
    EXPECT_EQ(ids(last), (QList<qint64>{8, 7}));
    EXPECT_TRUE(json(last).value(QStringLiteral("next")).isNull());
}

TEST_F(ApiRoutes, AWaitEndsWhenTheJobEnds)
{
    whenAsked([this] { backend.endJob(9); });
    const HttpReply posted = send("POST", "/v1/jobs?wait=60", {kKey}, "job");
    EXPECT_EQ(posted.status, 200);
    EXPECT_EQ(json(posted).value(QStringLiteral("state")).toString(), QStringLiteral("done"));

    whenAsked([this] { backend.endJob(8); });
    const HttpReply got = send("GET", "/v1/jobs/8?wait=60");
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(json(got).value(QStringLiteral("state")).toString(), QStringLiteral("done"));
}

// The one test on the real timer: the wait runs out and the job is still queued.
TEST_F(ApiRoutes, AWaitThatRunsOutAnswersTheJobAsItStands)
{
    const HttpReply reply = send("POST", "/v1/jobs?wait=1", {kKey}, "job");
    EXPECT_EQ(reply.status, 202);
    EXPECT_EQ(json(reply).value(QStringLiteral("state")).toString(), QStringLiteral("queued"));
}

TEST_F(ApiRoutes, TheLogAnswersTheLinesAfterASeqAndWaitsForNewOnes)
{
    EXPECT_EQ(send("GET", "/v1/log?after=1").body,
              R"({"last":3,"lines":[{"seq":2,"text":"two"},{"seq":3,"text":"three"}]})");
    EXPECT_EQ(send("GET", "/v1/log?after=3").body, R"({"last":3,"lines":[]})");
    whenAsked([this] { backend.addLogLine(QStringLiteral("four")); });
    EXPECT_EQ(send("GET", "/v1/log?after=3&wait=60").body, R"({"last":4,"lines":[{"seq":4,"text":"four"}]})");
}

TEST_F(ApiRoutes, AHeldAnswerWhosePeerLeftIsDropped)
{
    QTcpSocket client;
    bool asked = false;
    backend.onAsked = [&asked] { asked = true; };
    client.connectToHost(QStringLiteral("127.0.0.1"), server->port());
    ASSERT_TRUE(client.waitForConnected());
    client.write(requestBytes("GET", "/v1/jobs/8?wait=60"));
    runUntil([&] { return asked; });
    client.abort();
    const auto serverSockets = [this] { return server->findChildren<QTcpSocket *>().size(); };
    runUntil([&] { return serverSockets() == 0; });
    backend.endJob(8); // would write to the socket that is gone
    EXPECT_EQ(send("GET", "/v1/jobs/8").status, 200);
}

TEST_F(ApiRoutes, AListedOriginGetsThePreflightAndItsHeaders)
{
    const HttpReply preflight = send("OPTIONS", "/v1/jobs",
                                     {{"Origin", kOrigin.toLatin1()},
                                      {"Access-Control-Request-Method", "POST"},
                                      {"Access-Control-Request-Headers", "idempotency-key, content-type"},
                                      {"Access-Control-Request-Private-Network", "true"}});
    EXPECT_EQ(preflight.status, 204);
    EXPECT_EQ(preflight.header("Access-Control-Allow-Origin"), kOrigin.toLatin1());
    EXPECT_EQ(preflight.header("Access-Control-Allow-Methods"), "GET, POST");
    EXPECT_EQ(preflight.header("Access-Control-Allow-Headers"), "Authorization, Content-Type, Idempotency-Key");
    EXPECT_EQ(preflight.header("Access-Control-Max-Age"), "600");
    EXPECT_EQ(preflight.header("Access-Control-Allow-Private-Network"), "true");
    EXPECT_TRUE(preflight.header("Content-Length").isEmpty()) << "a 204 has no body";

    const HttpReply plain = send("OPTIONS", "/v1/status", {{"Origin", kOrigin.toLatin1()}});
    EXPECT_EQ(plain.status, 204);
    EXPECT_TRUE(plain.header("Access-Control-Allow-Private-Network").isEmpty());

    const HttpReply status = send("GET", "/v1/status", {{"Origin", kOrigin.toLatin1()}});
    EXPECT_EQ(status.status, 200);
    EXPECT_EQ(status.header("Access-Control-Allow-Origin"), kOrigin.toLatin1());
    const HttpReply refused = send("POST", "/v1/stop", {{"Origin", kOrigin.toLatin1()}});
    EXPECT_EQ(refused.status, 401);
    EXPECT_EQ(refused.header("Access-Control-Allow-Origin"), kOrigin.toLatin1());
}

TEST_F(ApiRoutes, AnUnlistedOriginGetsNoCorsHeaders)
{
    for (const QByteArray origin : {"http://shop.local:3001", "http://evil.example", "null"}) {
        const HttpReply preflight = send("OPTIONS", "/v1/jobs",
                                         {{"Origin", origin},
                                          {"Access-Control-Request-Method", "POST"},
                                          {"Access-Control-Request-Private-Network", "true"}});
        EXPECT_EQ(preflight.status, 403) << origin.data();
        const HttpReply status = send("GET", "/v1/status", {{"Origin", origin}});
        EXPECT_EQ(status.status, 200);
        for (const HttpReply &reply : {preflight, status}) {
            for (const auto &[name, value] : reply.headers)
                EXPECT_FALSE(name.startsWith("Access-Control-")) << name.data();
        }
    }
}

TEST_F(ApiRoutes, TheConsolePageAndTheMetricsHaveTheirContentTypes)
{
    EXPECT_EQ(send("GET", "/").header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(send("GET", "/console.js").header("Content-Type"), "text/javascript; charset=utf-8");
    EXPECT_EQ(send("GET", "/console.css").header("Content-Type"), "text/css; charset=utf-8");
    EXPECT_EQ(send("GET", "/metrics").header("Content-Type"), "text/plain; version=0.0.4; charset=utf-8");
    EXPECT_EQ(send("GET", "/v1/status").header("Content-Type"), "application/json");
}

TEST(HttpServerListen, APortInUseIsToldWithTheAddress)
{
    FakeBackend backend;
    HostApiServer first(backend, {});
    ASSERT_EQ(first.listen(QHostAddress(QHostAddress::LocalHost), 0), std::nullopt);
    HostApiServer second(backend, {});
    const std::optional<QString> error = second.listen(QHostAddress(QHostAddress::LocalHost), first.port());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->startsWith(QStringLiteral("127.0.0.1:%1: ").arg(first.port()))) << error->toStdString();
}

} // namespace
} // namespace merovan::test
