#include "history/job_history.h"

#include "history/history_schema.h"
#include "history/job_rows.h"
#include "history/set_aside.h"
#include "history/thread_connections.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariantList>

namespace merovan {

namespace {

// Opens the calling thread's connection and makes the schema where it is
// missing. Returns the problem.
QString openSchema(ThreadConnections &connections)
{
    QSqlError failure;
    QSqlDatabase db = connections.forThisThread(&failure);
    if (!db.isOpen())
        return sqlProblem(failure);
    return makeSchema(db);
}

QString noHistory(const QString &path, const QString &why)
{
    return QStringLiteral("Το ιστορικό εργασιών %1 δεν μπορεί να ανοίξει: %2.").arg(path, why);
}

// The statement run on the calling thread's connection; nothing when it
// could not run.
std::optional<QSqlQuery> run(ThreadConnections &connections, const QString &statement, const QVariantList &values)
{
    QSqlDatabase db = connections.forThisThread();
    if (!db.isOpen())
        return std::nullopt;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        return std::nullopt;
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return std::nullopt;
    return query;
}

bool changedOne(std::optional<QSqlQuery> query)
{
    return query && query->numRowsAffected() == 1;
}

QList<JobRecord> jobsOf(ThreadConnections &connections, const QString &conditions, const QVariantList &values)
{
    QList<JobRecord> jobs;
    std::optional<QSqlQuery> query = run(
        connections, QStringLiteral("SELECT %1 FROM jobs %2").arg(jobColumnList(), conditions), values);
    while (query && query->next())
        jobs << jobFromRow(*query);
    return jobs;
}

std::optional<JobRecord> oneJob(ThreadConnections &connections, const QString &condition, const QVariant &value)
{
    const QList<JobRecord> jobs = jobsOf(connections, condition, {value});
    if (jobs.isEmpty())
        return std::nullopt;
    return jobs.first();
}

bool isEnd(JobState state)
{
    JobRecord job;
    job.state = state;
    return job.ended();
}

QString underWay()
{
    return QStringLiteral("state IN ('%1', '%2')").arg(stateName(JobState::Queued), stateName(JobState::Running));
}

} // namespace

// Every connection opens the same file, whatever the working folder is when
// a thread first calls.
JobHistory::JobHistory(const QString &path)
    : path_(QFileInfo(path).absoluteFilePath()), connections_(std::make_unique<ThreadConnections>(path_))
{
}

JobHistory::~JobHistory() = default;

QString JobHistory::open()
{
    available_ = false;
    connections_->closeAll();
    QString told;
    if (QFile::exists(path_)) {
        const SchemaCheck check = checkFile(path_);
        if (check.verdict == SchemaVerdict::Unreachable)
            return noHistory(path_, check.why);
        if (check.verdict == SchemaVerdict::Foreign) {
            QString problem;
            const std::optional<QString> aside = setAsideDatabase(path_, QDateTime::currentDateTime(), &problem);
            if (!aside)
                return QStringLiteral("Το ιστορικό εργασιών %1 είναι κατεστραμμένο και δεν φυλάχτηκε: %2.").arg(path_, problem);
            told = QStringLiteral("Το ιστορικό εργασιών %1 ήταν κατεστραμμένο: φυλάχτηκε ως %2 και ξεκίνησε νέο.")
                       .arg(path_, QFileInfo(*aside).fileName());
        }
    }
    const QString problem = openSchema(*connections_);
    if (!problem.isEmpty()) {
        connections_->closeAll();
        return QStringList{told, noHistory(path_, problem)}.join(QLatin1Char(' ')).trimmed();
    }
    available_ = true;
    return told;
}

qint64 JobHistory::add(const JobRecord &record)
{
    if (!available_ || record.ended())
        return 0;
    std::optional<QSqlQuery> query = run(*connections_, QStringLiteral(
        "INSERT INTO jobs (source, kind, idempotency_key, fingerprint, job_path, tag, state,"
        " queued_at, started_at, ended_at, result, receipt, exit_code)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"), {
        sourceName(record.source),
        kindName(record.kind),
        record.idempotencyKey.isEmpty() ? QVariant() : QVariant(record.idempotencyKey),
        textValue(QString::fromLatin1(record.fingerprint)),
        textValue(record.jobPath),
        textValue(record.tag),
        stateName(record.state),
        timeValue(record.queuedAt),
        timeValue(record.startedAt),
        timeValue(record.endedAt),
        resultValue(record.result),
        receiptValue(record.receipt),
        exitCodeValue(record.exitCode),
    });
    return query ? query->lastInsertId().toLongLong() : 0;
}

bool JobHistory::markRunning(qint64 id, const QDateTime &at, const QString &tag, const QString &jobPath)
{
    if (!available_)
        return false;
    return changedOne(run(*connections_, QStringLiteral(
        "UPDATE jobs SET state = ?, started_at = ?, tag = ?, job_path = ? WHERE id = ? AND %1").arg(underWay()),
        {stateName(JobState::Running), timeValue(at), textValue(tag), textValue(jobPath), id}));
}

bool JobHistory::finish(qint64 id, JobState state, const QStringList &result,
                        const std::optional<QList<qint64>> &receipt, std::optional<int> exitCode,
                        const QDateTime &at)
{
    if (!available_ || !isEnd(state))
        return false;
    return changedOne(run(*connections_, QStringLiteral(
        "UPDATE jobs SET state = ?, result = ?, receipt = ?, exit_code = ?, ended_at = ?"
        " WHERE id = ? AND %1").arg(underWay()),
        {stateName(state), resultValue(result), receiptValue(receipt), exitCodeValue(exitCode), timeValue(at), id}));
}

std::optional<JobRecord> JobHistory::find(qint64 id) const
{
    if (!available_)
        return std::nullopt;
    return oneJob(*connections_, QStringLiteral("WHERE id = ?"), id);
}

std::optional<JobRecord> JobHistory::findByKey(const QString &key) const
{
    if (!available_ || key.isEmpty())
        return std::nullopt;
    return oneJob(*connections_, QStringLiteral("WHERE idempotency_key = ?"), key);
}

QList<JobRecord> JobHistory::list(int limit, qint64 before) const
{
    if (!available_ || limit <= 0)
        return {};
    if (before > 0)
        return jobsOf(*connections_, QStringLiteral("WHERE id < ? ORDER BY id DESC LIMIT ?"), {before, limit});
    return jobsOf(*connections_, QStringLiteral("ORDER BY id DESC LIMIT ?"), {limit});
}

QList<JobRecord> JobHistory::inState(JobState state) const
{
    if (!available_)
        return {};
    return jobsOf(*connections_, QStringLiteral("WHERE state = ? ORDER BY id"), {stateName(state)});
}

int JobHistory::prune(const QDateTime &olderThan)
{
    if (!available_)
        return 0;
    std::optional<QSqlQuery> query = run(*connections_, QStringLiteral(
        "DELETE FROM jobs WHERE NOT %1 AND ended_at < ?").arg(underWay()), {timeValue(olderThan)});
    return query ? query->numRowsAffected() : 0;
}

} // namespace merovan
