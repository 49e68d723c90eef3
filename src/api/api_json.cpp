#include "api/api_json.h"

#include <QJsonArray>

namespace merovan {

namespace {

QJsonValue timeJson(const QDateTime &time)
{
    if (time.isNull())
        return QJsonValue::Null;
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QJsonValue receiptJson(const std::optional<QList<qint64>> &receipt)
{
    if (!receipt)
        return QJsonValue::Null;
    QJsonArray counters;
    for (qint64 counter : *receipt)
        counters.append(counter);
    return counters;
}

QJsonValue jobUnderWayJson(const std::optional<JobUnderWay> &job)
{
    if (!job)
        return QJsonValue::Null;
    // An id of 0: the history could not record the job.
    return QJsonObject{{QStringLiteral("id"), job->id != 0 ? QJsonValue(job->id) : QJsonValue::Null},
                       {QStringLiteral("source"), sourceName(job->source)},
                       {QStringLiteral("kind"), kindName(job->kind)},
                       {QStringLiteral("tag"), job->tag},
                       {QStringLiteral("percent"), job->percent}};
}

QJsonValue lastErrorJson(const std::optional<LastRegisterError> &error)
{
    if (!error)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("code"), error->code}, {QStringLiteral("text"), error->text}};
}

QJsonValue registerMessageJson(const std::optional<RegisterMessageTexts> &message)
{
    if (!message)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("caption"), message->caption},
                       {QStringLiteral("message"), message->message},
                       {QStringLiteral("detail"), message->detail}};
}

} // namespace

QString jobUrl(qint64 id)
{
    return QStringLiteral("/v1/jobs/%1").arg(id);
}

QJsonObject jobJson(const JobRecord &job)
{
    return {{QStringLiteral("id"), job.id},
            {QStringLiteral("url"), jobUrl(job.id)},
            {QStringLiteral("source"), sourceName(job.source)},
            {QStringLiteral("kind"), kindName(job.kind)},
            {QStringLiteral("tag"), job.tag},
            {QStringLiteral("state"), stateName(job.state)},
            {QStringLiteral("queuedAt"), timeJson(job.queuedAt)},
            {QStringLiteral("startedAt"), timeJson(job.startedAt)},
            {QStringLiteral("endedAt"), timeJson(job.endedAt)},
            {QStringLiteral("result"), QJsonArray::fromStringList(job.result)},
            {QStringLiteral("exitCode"), job.exitCode ? QJsonValue(*job.exitCode) : QJsonValue::Null},
            {QStringLiteral("receipt"), receiptJson(job.receipt)},
            {QStringLiteral("idempotencyKey"),
             job.idempotencyKey.isEmpty() ? QJsonValue::Null : QJsonValue(job.idempotencyKey)},
            {QStringLiteral("fingerprint"), QString::fromLatin1(job.fingerprint)}};
}

QJsonObject statusJson(const BridgeStatus &status)
{
    return {{QStringLiteral("online"), status.online},
            {QStringLiteral("firmware"), status.firmware},
            {QStringLiteral("caption"), status.caption},
            {QStringLiteral("statusLine"), status.statusLine},
            {QStringLiteral("printing"), status.printing},
            {QStringLiteral("stopping"), status.stopping},
            {QStringLiteral("reportsEnabled"), status.reportsEnabled},
            {QStringLiteral("job"), jobUnderWayJson(status.job)},
            {QStringLiteral("queueLength"), status.queueLength},
            {QStringLiteral("lastError"), lastErrorJson(status.lastError)},
            {QStringLiteral("registerMessage"), registerMessageJson(status.registerMessage)}};
}

QJsonObject logJson(const QList<LogLine> &lines, qint64 after)
{
    QJsonArray array;
    qint64 last = after;
    for (const LogLine &line : lines) {
        array.append(QJsonObject{{QStringLiteral("seq"), line.seq}, {QStringLiteral("text"), line.text}});
        last = std::max(last, line.seq);
    }
    return {{QStringLiteral("lines"), array}, {QStringLiteral("last"), last}};
}

} // namespace merovan
