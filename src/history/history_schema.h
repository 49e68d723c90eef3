#pragma once

#include <QSqlDatabase>
#include <QString>

namespace merovan {

// What an existing database file holds.
enum class SchemaVerdict {
    Usable,      // the job table as this program makes it, or nothing yet
    Foreign,     // not a database, damaged, or another program's (or version's) tables
    Unreachable, // could not be read (locked by another program, no access)
};

struct SchemaCheck {
    SchemaVerdict verdict = SchemaVerdict::Unreachable;
    QString why; // the database's words, for Foreign and Unreachable
};

// Looks at an existing file through a read-only connection of its own, so
// that nothing in it or beside it (a WAL, its index) is changed or removed
// before it may have to be set aside.
SchemaCheck checkFile(const QString &path);

// Puts the database in WAL mode and makes the job table where it is
// missing (a new or empty file). Returns the problem, empty when all went
// well.
QString makeSchema(QSqlDatabase &db);

// The columns a job row is read from, in the order rows are read.
QString jobColumnList();

} // namespace merovan
