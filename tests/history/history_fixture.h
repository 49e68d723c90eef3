#pragma once

#include "history/job_history.h"
#include "qt_printers.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace merovan::test {

inline QDateTime utcAt(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

// A queued job from the folder, queued at ms.
inline JobRecord queuedJob(qint64 ms = 1'796'000'000'000, const QString &key = {})
{
    JobRecord job;
    job.source = JobSource::Folder;
    job.idempotencyKey = key;
    job.fingerprint = QByteArray(64, 'a');
    job.jobPath = QStringLiteral("/var/spool/merovan/job1.txt");
    job.tag = QStringLiteral("A1");
    job.queuedAt = utcAt(ms);
    return job;
}

inline void expectSameJob(const JobRecord &got, const JobRecord &want)
{
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.source, want.source);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.idempotencyKey, want.idempotencyKey);
    EXPECT_EQ(got.fingerprint, want.fingerprint);
    EXPECT_EQ(got.jobPath, want.jobPath);
    EXPECT_EQ(got.tag, want.tag);
    EXPECT_EQ(got.state, want.state);
    EXPECT_EQ(got.queuedAt, want.queuedAt);
    EXPECT_EQ(got.startedAt, want.startedAt);
    EXPECT_EQ(got.endedAt, want.endedAt);
    EXPECT_EQ(got.result, want.result);
    EXPECT_EQ(got.receipt, want.receipt);
    EXPECT_EQ(got.exitCode, want.exitCode);
}

// Runs the statements on the database at path through a connection of the
// test's own; returns the first value of the last.
inline QString sqlOn(const QString &path, const QStringList &statements)
{
    const QString name = QStringLiteral("test-connection");
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        for (const QString &statement : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
            value = query.next() ? query.value(0).toString() : QString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// A history in a folder of its own, opened.
class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_EQ(history_.open(), QString());
        ASSERT_TRUE(history_.available());
    }

    QTemporaryDir dir_;
    JobHistory history_{dir_.filePath(QStringLiteral("merovan.db"))};
};

} // namespace merovan::test
