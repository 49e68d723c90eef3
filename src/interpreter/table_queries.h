#pragma once

#include <QString>

namespace merovan {

class Interpreter;

// What the register says about its tables. Each query sends its command
// with a reply text of its own (not silent) and reads a field of the reply
// split at ":", counted from 0; a missing field reads as empty.

// "KX?TO": the open table's number, or -1 when none is open or the query
// fails.
int queryOpenTable(Interpreter &interpreter);

// "KXREP" + table + "TBL": what the table holds, as the register writes
// it, or "-1".
QString queryTableAmount(Interpreter &interpreter, const QString &table);

// "KXREPTBL": the open tables without blanks, or "-1" when there are none
// or the query fails.
QString queryOpenTables(Interpreter &interpreter);

// The receipt number that the reply to the command after a table's receipt
// carries, or -1.
int receiptAtTableClose(const QString &reply);

} // namespace merovan
