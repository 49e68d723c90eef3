// A damaged or foreign database is set aside and a new one made; where none
// can be made, the history says why and every call fails quietly.
#include "history_fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>

#include <functional>

using namespace merovan;
using namespace merovan::test;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray garbage(int size)
{
    QByteArray bytes;
    for (int n = 0; n < size; ++n)
        bytes.append(char((n * 131 + 7) % 251));
    return bytes;
}

// A real history of many pages, cut in the middle.
void truncatedHistory(const QString &path)
{
    ASSERT_EQ(JobHistory(path).open(), QString());
    sqlOn(path, {QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
        " INSERT INTO jobs (source, kind, fingerprint, job_path, tag, state, result)"
        " SELECT 'folder', 'job', '', '', i, 'queued', printf('[\"%0400d\"]', i) FROM n")});
    QFile file(path);
    ASSERT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    ASSERT_TRUE(file.resize(file.size() / 2));
}

TEST(DamagedHistory, IsSetAsideAndANewOneStarts)
{
    const struct {
        const char *what;
        std::function<void(const QString &)> make;
    } cases[] = {
        {"garbage bytes", [](const QString &path) { writeFile(path, garbage(5000)); }},
        {"garbage with a WAL and its index beside it",
         [](const QString &path) {
             writeFile(path, garbage(5000));
             writeFile(path + QStringLiteral("-wal"), garbage(300));
             writeFile(path + QStringLiteral("-shm"), garbage(200));
         }},
        {"a truncated history", truncatedHistory},
        {"another program's tables",
         [](const QString &path) { sqlOn(path, {QStringLiteral("CREATE TABLE customers (name TEXT)")}); }},
        {"a table named jobs with other columns",
         [](const QString &path) {
             sqlOn(path, {QStringLiteral("CREATE TABLE jobs (id INTEGER PRIMARY KEY, text TEXT)"),
                         QStringLiteral("PRAGMA user_version = 1")});
         }},
        {"a later version", [](const QString &path) { sqlOn(path, {QStringLiteral("PRAGMA user_version = 2")}); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("merovan.db"));
        c.make(path);
        QMap<QString, QByteArray> before;
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            if (QFile::exists(path + suffix))
                before.insert(suffix, readFile(path + suffix));
        }

        const QDateTime earliest = QDateTime::currentDateTime().addMSecs(-1000);
        JobHistory history(path);
        const QString problem = history.open();
        const QDateTime latest = QDateTime::currentDateTime();

        // The database, and its WAL and index when they were there (or the check made them).
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("merovan.db.corrupt-*")}, QDir::Files);
        ASSERT_FALSE(aside.isEmpty());
        const QString name = aside.first();
        for (const QString &file : aside)
            EXPECT_TRUE(QStringList({name, name + QStringLiteral("-wal"), name + QStringLiteral("-shm")}).contains(file)) << file.toStdString();
        const QRegularExpressionMatch stamp =
            QRegularExpression(QStringLiteral("^merovan\\.db\\.corrupt-(\\d{8}-\\d{6})$")).match(name);
        ASSERT_TRUE(stamp.hasMatch()) << name.toStdString();
        const QDateTime at = QDateTime::fromString(stamp.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        EXPECT_TRUE(at >= earliest && at <= latest) << stamp.captured(1).toStdString();
        // Whoever opens a WAL rebuilds its index: only the files themselves are compared.
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QString moved = dir.filePath(name + it.key());
            EXPECT_TRUE(it.key() == QStringLiteral("-shm") ? QFile::exists(moved) : readFile(moved) == it.value())
                << it.key().toStdString();
        }
        EXPECT_EQ(problem, QStringLiteral("Το ιστορικό εργασιών %1 ήταν κατεστραμμένο: φυλάχτηκε ως %2 και ξεκίνησε νέο.")
                               .arg(path, name));

        ASSERT_TRUE(history.available());
        const qint64 id = history.add(queuedJob(1, QStringLiteral("new")));
        EXPECT_EQ(id, 1);
        EXPECT_EQ(history.findByKey(QStringLiteral("new"))->id, id);
        JobHistory again(path);
        EXPECT_EQ(again.open(), QString());
        EXPECT_EQ(again.list(10, 0).size(), 1);
    }
}

TEST(DamagedHistory, AnEmptyFileBecomesTheHistory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("merovan.db"));
    writeFile(path, {});
    JobHistory history(path);
    EXPECT_EQ(history.open(), QString());
    EXPECT_GT(history.add(queuedJob()), 0);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*corrupt*")}), QStringList());
}

TEST(DamagedHistory, WhereNoneCanBeMadeEveryCallFails)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("somefile"));
    writeFile(file, "not a folder");
    const QString path = file + QStringLiteral("/merovan.db");
    JobHistory history(path);

    const QString problem = history.open();
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Το ιστορικό εργασιών %1 δεν μπορεί να ανοίξει: ").arg(path)))
        << problem.toStdString();
    EXPECT_FALSE(history.available());
    EXPECT_EQ(history.add(queuedJob()), 0);
    EXPECT_FALSE(history.markRunning(1, utcAt(1), QString(), QString()));
    EXPECT_FALSE(history.finish(1, JobState::Done, {}, std::nullopt, 0, utcAt(1)));
    EXPECT_EQ(history.find(1), std::nullopt);
    EXPECT_EQ(history.findByKey(QStringLiteral("k")), std::nullopt);
    EXPECT_TRUE(history.list(10, 0).isEmpty());
    EXPECT_TRUE(history.inState(JobState::Queued).isEmpty());
    EXPECT_EQ(history.prune(utcAt(1)), 0);
    EXPECT_EQ(readFile(file), QByteArray("not a folder"));
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

} // namespace
