#pragma once

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace merovan::sim {

// A restaurant table held in the register: its text (the guests' names)
// and what it holds, in hundredths.
struct Table {
    QString text;
    qint64 amount = 0;
};

// A partial transfer: items go one by one from a table to another until
// "KXTRFNO" and "KXTRFOK".
struct TableMove {
    int from = 0;
    int to = 0;
    bool ending = false; // "KXTRFNO" came: "KXTRFOK" ends the transfer
};

// An item named for a move or a partial payment ("KXPA"), waiting for its
// "KXTRFOK".
struct NamedItem {
    qint64 amount = 0;
    QString text;
    QString category;
};

// The register's tables and the keys of table work in progress.
struct TableBook {
    QMap<int, Table> tables;
    int billOf = 0;           // the table whose bill is the open receipt
    bool partBill = false;    // that bill pays only part of the table
    bool choosing = false;    // the part's items are still being named
    bool transferKey = false; // "KXTRF" pressed
    bool paymentKey = false;  // "KXPPAY" pressed
    std::optional<TableMove> move;
    std::optional<NamedItem> named;
    int settledBy = 0; // the last receipt that settled (part of) a table

    // The table the register reports open: the one being billed, or the
    // one whose items are being moved.
    int openTable() const { return billOf != 0 ? billOf : move ? move->from : 0; }
};

} // namespace merovan::sim
