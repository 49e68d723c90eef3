#pragma once

#include <QMap>
#include <QtGlobal>

namespace merovan::sim {

// The receipt being rung up. Amounts in hundredths.
struct Receipt {
    int number = 0;
    qint64 total = 0;     // items and adjustments so far
    qint64 lastItem = 0;  // the last item with its own adjustments
    qint64 paid = 0;      // payments taken, net of change
    bool paying = false;  // a payment has been taken: no more items
    bool afterSubtotal = false; // adjustments now go to the subtotal
    QMap<int, qint64> payments; // by payment type, net of change

    qint64 due() const { return total - paid; }
};

// The receipt counters that "KXRE" reports.
struct Counters {
    int lastReceipt = 0; // number of the last receipt issued
    int sinceZ = 0;      // receipts issued since the last Z report
    int zReports = 0;    // Z reports run
};

// What the reports print; a Z report starts them again.
struct DayTotals {
    qint64 sales = 0;
    QMap<int, qint64> payments; // by payment type
};

} // namespace merovan::sim
