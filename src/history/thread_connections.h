#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <memory>

namespace merovan {

// One SQLite connection per thread to one database file: a QSqlDatabase
// connection may only be used by the thread that made it. A thread's
// connection is made on its first use and closed when that thread finishes
// or when this object goes, whichever comes first. Every connection waits
// up to 5 s for a lock and syncs each commit to the disk.
class ThreadConnections {
public:
    explicit ThreadConnections(const QString &path);
    ~ThreadConnections();
    ThreadConnections(const ThreadConnections &) = delete;
    ThreadConnections &operator=(const ThreadConnections &) = delete;

    // The calling thread's connection; not open (and failure set) when the
    // file cannot be opened.
    QSqlDatabase forThisThread(QSqlError *failure = nullptr);

    // Closes every connection; only while no other thread uses one (the
    // file is about to be set aside).
    void closeAll();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// The reason a query or connection failed, in the database's own words.
QString sqlProblem(const QSqlError &error);

} // namespace merovan
