#include "history/thread_connections.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <atomic>

namespace merovan {

namespace {

const QStringList connectionPragmas = {
    QStringLiteral("PRAGMA busy_timeout = 5000"),
    // An acknowledged record is on the disk, not only in the WAL's pages.
    QStringLiteral("PRAGMA synchronous = FULL"),
};

struct Opened {
    QString name;
    QMetaObject::Connection threadEnd;
};

} // namespace

struct ThreadConnections::Shared {
    QString path;
    QString prefix;
    QMutex mutex;
    QHash<QThread *, Opened> opened;

    // Runs on the thread that made the connection, or once no thread uses it.
    void close(QThread *thread)
    {
        Opened gone;
        {
            QMutexLocker lock(&mutex);
            auto it = opened.find(thread);
            if (it == opened.end())
                return;
            gone = it.value();
            opened.erase(it);
        }
        QObject::disconnect(gone.threadEnd);
        QSqlDatabase::removeDatabase(gone.name);
    }
};

ThreadConnections::ThreadConnections(const QString &path)
    : shared_(std::make_shared<Shared>())
{
    static std::atomic<quint64> instances{0};
    shared_->path = path;
    shared_->prefix = QStringLiteral("merovan-history-%1-").arg(++instances);
}

ThreadConnections::~ThreadConnections()
{
    closeAll();
}

QSqlDatabase ThreadConnections::forThisThread(QSqlError *failure)
{
    QThread *thread = QThread::currentThread();
    QString name;
    {
        QMutexLocker lock(&shared_->mutex);
        auto it = shared_->opened.constFind(thread);
        if (it != shared_->opened.constEnd())
            return QSqlDatabase::database(it->name, false);
        name = shared_->prefix + QString::number(reinterpret_cast<quintptr>(thread), 16);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(shared_->path);
        bool ready = db.open();
        QSqlError error = db.lastError();
        for (const QString &pragma : connectionPragmas) {
            if (!ready)
                break;
            QSqlQuery query(db);
            ready = query.exec(pragma);
            error = query.lastError();
        }
        if (!ready) {
            if (failure)
                *failure = error;
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return {};
        }
    }
    const std::shared_ptr<Shared> shared = shared_;
    Opened opened{name, QObject::connect(thread, &QThread::finished, [shared, thread] { shared->close(thread); })};
    QMutexLocker lock(&shared_->mutex);
    shared_->opened.insert(thread, opened);
    return QSqlDatabase::database(name, false);
}

void ThreadConnections::closeAll()
{
    QList<QThread *> threads;
    {
        QMutexLocker lock(&shared_->mutex);
        threads = shared_->opened.keys();
    }
    for (QThread *thread : threads)
        shared_->close(thread);
}

QString sqlProblem(const QSqlError &error)
{
    const QString words = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return words.isEmpty() ? QStringLiteral("unknown error") : words;
}

} // namespace merovan
