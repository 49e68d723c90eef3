#include "history/history_schema.h"

#include "history/thread_connections.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <array>
#include <atomic>

namespace merovan {

namespace {

// Raised when the table changes; an older database is then upgraded here.
constexpr int schemaVersion = 1;

struct Column {
    const char *name;
    const char *declaration;
};

// Times are UTC milliseconds; the result lines a JSON array of strings, so
// that any line (a line end, Greek) comes back as it went in; the receipt
// its counters separated by blanks. AUTOINCREMENT: a pruned job's id is
// never given again, so a job's address names one job for good.
constexpr std::array<Column, 14> jobColumns{{
    {"id", "INTEGER PRIMARY KEY AUTOINCREMENT"},
    {"source", "TEXT NOT NULL"},
    {"kind", "TEXT NOT NULL"},
    {"idempotency_key", "TEXT UNIQUE"},
    {"fingerprint", "TEXT NOT NULL"},
    {"job_path", "TEXT NOT NULL"},
    {"tag", "TEXT NOT NULL"},
    {"state", "TEXT NOT NULL"},
    {"queued_at", "INTEGER"},
    {"started_at", "INTEGER"},
    {"ended_at", "INTEGER"},
    {"result", "TEXT NOT NULL"},
    {"receipt", "TEXT"},
    {"exit_code", "INTEGER"},
}};

QStringList columnNames()
{
    QStringList names;
    for (const Column &column : jobColumns)
        names << QString::fromLatin1(column.name);
    return names;
}

// SQLITE_CORRUPT and SQLITE_NOTADB, with or without their extended bits.
bool damaged(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

// The first column of every row, or the failure.
struct Rows {
    bool ok = false;
    QStringList values;
    QSqlError error;
};

Rows rowsOf(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    Rows rows;
    rows.ok = query.exec(statement);
    while (rows.ok && query.next())
        rows.values << query.value(0).toString();
    if (query.lastError().isValid()) {
        rows.ok = false;
        rows.error = query.lastError();
    }
    return rows;
}

SchemaCheck failed(const QSqlError &error)
{
    return {damaged(error) ? SchemaVerdict::Foreign : SchemaVerdict::Unreachable, sqlProblem(error)};
}

SchemaCheck checkSchema(QSqlDatabase &db)
{
    if (!db.open())
        return failed(db.lastError());
    const Rows check = rowsOf(db, QStringLiteral("PRAGMA quick_check"));
    if (!check.ok)
        return failed(check.error);
    if (check.values != QStringList{QStringLiteral("ok")})
        return {SchemaVerdict::Foreign, check.values.mid(0, 3).join(QStringLiteral("; "))};

    const Rows version = rowsOf(db, QStringLiteral("PRAGMA user_version"));
    const Rows tables = rowsOf(db, QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    const Rows columns = rowsOf(db, QStringLiteral("SELECT name FROM pragma_table_info('jobs') ORDER BY cid"));
    for (const Rows *rows : {&version, &tables, &columns}) {
        if (!rows->ok)
            return failed(rows->error);
    }
    const int found = version.values.value(0).toInt();
    const bool empty = found == 0 && tables.values.isEmpty();
    const bool ours = found == schemaVersion && tables.values == QStringList{QStringLiteral("jobs")}
        && columns.values == columnNames();
    if (empty || ours)
        return {SchemaVerdict::Usable, {}};
    return {SchemaVerdict::Foreign,
            QStringLiteral("schema version %1, tables %2").arg(found).arg(tables.values.join(QLatin1Char(',')))};
}

} // namespace

SchemaCheck checkFile(const QString &path)
{
    static std::atomic<quint64> checks{0};
    const QString name = QStringLiteral("merovan-history-check-%1").arg(++checks);
    SchemaCheck check;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        check = checkSchema(db);
    }
    QSqlDatabase::removeDatabase(name);
    return check;
}

QString makeSchema(QSqlDatabase &db)
{
    const Rows mode = rowsOf(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    if (!mode.ok)
        return sqlProblem(mode.error);
    if (mode.values != QStringList{QStringLiteral("wal")})
        return QStringLiteral("journal mode %1 instead of wal").arg(mode.values.value(0));

    QStringList declarations;
    for (const Column &column : jobColumns)
        declarations << QStringLiteral("%1 %2").arg(QLatin1String(column.name), QLatin1String(column.declaration));
    const QStringList statements = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS jobs (%1)").arg(declarations.join(QStringLiteral(", "))),
        QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_by_state ON jobs (state, id)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_by_end ON jobs (ended_at)"),
        QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion),
    };
    if (!db.transaction())
        return sqlProblem(db.lastError());
    for (const QString &statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            const QString problem = sqlProblem(query.lastError());
            db.rollback();
            return problem;
        }
    }
    return db.commit() ? QString() : sqlProblem(db.lastError());
}

QString jobColumnList()
{
    return columnNames().join(QStringLiteral(", "));
}

} // namespace merovan
