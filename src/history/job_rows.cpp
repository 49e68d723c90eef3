#include "history/job_rows.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace merovan {

namespace {

QDateTime timeFrom(const QVariant &value)
{
    if (value.isNull())
        return {};
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

QStringList linesFrom(const QVariant &value)
{
    QStringList lines;
    const QJsonArray array = QJsonDocument::fromJson(value.toString().toUtf8()).array();
    for (const QJsonValue &line : array)
        lines << line.toString();
    return lines;
}

std::optional<QList<qint64>> receiptFrom(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    QList<qint64> counters;
    for (const QString &counter : value.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        counters << counter.toLongLong();
    return counters;
}

} // namespace

QVariant textValue(const QString &text)
{
    // A null QString is bound as NULL.
    return text.isNull() ? QStringLiteral("") : text;
}

QVariant timeValue(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toMSecsSinceEpoch()) : QVariant();
}

QString resultValue(const QStringList &lines)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(lines)).toJson(QJsonDocument::Compact));
}

QVariant receiptValue(const std::optional<QList<qint64>> &receipt)
{
    if (!receipt)
        return {};
    QStringList counters;
    for (qint64 counter : *receipt)
        counters << QString::number(counter);
    return textValue(counters.join(QLatin1Char(' ')));
}

QVariant exitCodeValue(std::optional<int> exitCode)
{
    return exitCode ? QVariant(*exitCode) : QVariant();
}

JobRecord jobFromRow(const QSqlQuery &query)
{
    JobRecord job;
    job.id = query.value(0).toLongLong();
    job.source = sourceNamed(query.value(1).toString()).value_or(JobSource::Folder);
    job.kind = kindNamed(query.value(2).toString()).value_or(JobKind::Job);
    job.idempotencyKey = query.value(3).toString();
    job.fingerprint = query.value(4).toString().toLatin1();
    job.jobPath = query.value(5).toString();
    job.tag = query.value(6).toString();
    job.state = stateNamed(query.value(7).toString()).value_or(JobState::Interrupted);
    job.queuedAt = timeFrom(query.value(8));
    job.startedAt = timeFrom(query.value(9));
    job.endedAt = timeFrom(query.value(10));
    job.result = linesFrom(query.value(11));
    job.receipt = receiptFrom(query.value(12));
    if (!query.value(13).isNull())
        job.exitCode = query.value(13).toInt();
    return job;
}

} // namespace merovan
