#include "api/api_json.h"
#include "api/metrics_text.h"

#include "qt_printers.h"
#include "text_bytes_printer.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace merovan::test {
namespace {

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

TEST(MetricsText, TheCountersInThePrometheusTextFormat)
{
    BridgeMetrics metrics;
    metrics.jobs = {{{QStringLiteral("folder"), QStringLiteral("interrupted")}, 1},
                    {{QStringLiteral("api"), QStringLiteral("done")}, 3},
                    {{QStringLiteral("api"), QStringLiteral("rejected")}, 2}};
    metrics.commandsSent = 120;
    metrics.resends = 2;
    metrics.errorReplies = {{-1, 1}, {-20, 4}};
    metrics.exchangeBucketBounds = {0.05, 0.1, 0.5, 1, 2.5};
    metrics.exchangeBucketCounts = {10, 40, 55, 58, 59, 60};
    metrics.exchangeSecondsSum = 12.345;
    metrics.exchangeCount = 60;
    metrics.online = true;
    metrics.queueLength = 2;
    EXPECT_EQ(QString::fromUtf8(metricsText(metrics)),
              QStringLiteral(
                  "# HELP merovan_jobs_total Jobs ended since start, by source and outcome.\n"
                  "# TYPE merovan_jobs_total counter\n"
                  "merovan_jobs_total{source=\"api\",outcome=\"done\"} 3\n"
                  "merovan_jobs_total{source=\"api\",outcome=\"rejected\"} 2\n"
                  "merovan_jobs_total{source=\"folder\",outcome=\"interrupted\"} 1\n"
                  "# HELP merovan_commands_sent_total Commands sent to the register since start.\n"
                  "# TYPE merovan_commands_sent_total counter\n"
                  "merovan_commands_sent_total 120\n"
                  "# HELP merovan_resends_total Commands sent again after a lost reply since start.\n"
                  "# TYPE merovan_resends_total counter\n"
                  "merovan_resends_total 2\n"
                  "# HELP merovan_error_replies_total Error replies of the register since start, by code.\n"
                  "# TYPE merovan_error_replies_total counter\n"
                  "merovan_error_replies_total{code=\"-20\"} 4\n"
                  "merovan_error_replies_total{code=\"-1\"} 1\n"
                  "# HELP merovan_exchange_seconds Time from a command sent to its reply, in seconds.\n"
                  "# TYPE merovan_exchange_seconds histogram\n"
                  "merovan_exchange_seconds_bucket{le=\"0.05\"} 10\n"
                  "merovan_exchange_seconds_bucket{le=\"0.1\"} 40\n"
                  "merovan_exchange_seconds_bucket{le=\"0.5\"} 55\n"
                  "merovan_exchange_seconds_bucket{le=\"1\"} 58\n"
                  "merovan_exchange_seconds_bucket{le=\"2.5\"} 59\n"
                  "merovan_exchange_seconds_bucket{le=\"+Inf\"} 60\n"
                  "merovan_exchange_seconds_sum 12.345\n"
                  "merovan_exchange_seconds_count 60\n"
                  "# HELP merovan_register_online 1 while the register answers, else 0.\n"
                  "# TYPE merovan_register_online gauge\n"
                  "merovan_register_online 1\n"
                  "# HELP merovan_queue_length Jobs waiting on the queue.\n"
                  "# TYPE merovan_queue_length gauge\n"
                  "merovan_queue_length 2\n"));
}

TEST(ApiJson, AJobInAllItsFields)
{
    JobRecord job;
    job.id = 12;
    job.source = JobSource::Api;
    job.kind = JobKind::Job;
    job.idempotencyKey = QStringLiteral("receipt-12");
    job.fingerprint = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
    job.tag = QStringLiteral("Τραπέζι 4");
    job.state = JobState::Done;
    job.queuedAt = QDateTime(QDate(2026, 12, 7), QTime(8, 1, 2, 345), Qt::UTC);
    job.startedAt = QDateTime(QDate(2026, 12, 7), QTime(10, 1, 3, 0), Qt::OffsetFromUTC, 2 * 3600);
    job.endedAt = QDateTime(QDate(2026, 12, 7), QTime(8, 1, 9, 7), Qt::UTC);
    job.result = {QStringLiteral("tag = Τραπέζι 4"), QStringLiteral("DateTime start = 07/12/2026 10:01:03")};
    job.receipt = QList<qint64>{12, 345, 6};
    job.exitCode = 0;
    EXPECT_EQ(compact(jobJson(job)),
              QStringLiteral(R"({"endedAt":"2026-12-07T08:01:09.007Z","exitCode":0,)"
                             R"("fingerprint":"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08",)"
                             R"("id":12,"idempotencyKey":"receipt-12","kind":"job","queuedAt":"2026-12-07T08:01:02.345Z",)"
                             R"("receipt":[12,345,6],"result":["tag = Τραπέζι 4","DateTime start = 07/12/2026 10:01:03"],)"
                             R"("source":"api","startedAt":"2026-12-07T08:01:03.000Z","state":"done","tag":"Τραπέζι 4",)"
                             R"("url":"/v1/jobs/12"})")
                  .toUtf8());

    JobRecord queued;
    queued.id = 3;
    queued.kind = JobKind::PeriodZReport;
    EXPECT_EQ(compact(jobJson(queued)),
              R"({"endedAt":null,"exitCode":null,"fingerprint":"","id":3,"idempotencyKey":null,"kind":"period-z",)"
              R"("queuedAt":null,"receipt":null,"result":[],"source":"folder","startedAt":null,"state":"queued",)"
              R"("tag":"","url":"/v1/jobs/3"})");
}

TEST(ApiJson, TheBridgeStatusWithAndWithoutItsParts)
{
    BridgeStatus status;
    status.firmware = QStringLiteral("---");
    EXPECT_EQ(compact(statusJson(status)),
              R"({"caption":"","firmware":"---","job":null,"lastError":null,"online":false,"printing":false,)"
              R"("queueLength":0,"registerMessage":null,"reportsEnabled":false,"statusLine":"","stopping":false})");

    status.online = status.printing = status.stopping = status.reportsEnabled = true;
    status.caption = QStringLiteral("Merovan");
    status.statusLine = QStringLiteral("Printing");
    status.job = JobUnderWay{.id = 12, .source = JobSource::Api, .kind = JobKind::ZReport, .tag = QStringLiteral("Z"),
                             .percent = 40};
    status.queueLength = 2;
    status.lastError = LastRegisterError{.code = -20, .text = QStringLiteral("Paper out")};
    status.registerMessage = RegisterMessageTexts{.caption = QStringLiteral("c"), .message = QStringLiteral("m"),
                                                  .detail = QStringLiteral("d")};
    EXPECT_EQ(compact(statusJson(status)),
              R"({"caption":"Merovan","firmware":"---","job":{"id":12,"kind":"z","percent":40,"source":"api","tag":"Z"},)"
              R"("lastError":{"code":-20,"text":"Paper out"},"online":true,"printing":true,"queueLength":2,)"
              R"("registerMessage":{"caption":"c","detail":"d","message":"m"},"reportsEnabled":true,)"
              R"("statusLine":"Printing","stopping":true})");

    status.job->id = 0; // the history could not record it
    EXPECT_TRUE(statusJson(status).value(QStringLiteral("job")).toObject().value(QStringLiteral("id")).isNull());
}

} // namespace
} // namespace merovan::test
