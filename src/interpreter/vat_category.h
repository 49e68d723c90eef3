#pragma once

#include <QChar>
#include <QString>

namespace merovan {

// The register category of a sale line.

// The category 1 to 5 whose rate in "vats.dat" equals the line's rate (a
// normalised text) at two decimals; the last equal one wins. Empty when
// none is equal or the rate is not a number.
QString categoryForRate(const QString &rate, QChar separator);

// The environmental fee rule: a text carrying the marker "ΛΠΣΜ" (or
// "ΛΠΣM" with a Latin M), in Windows Greek or in DOS Greek, belongs to
// category 8, or to the category written right after the marker as "-"
// and two digits ("ΛΠΣΜ-13" gives 13). Without a marker: the default.
QString environmentalFeeCategory(const QString &text, const QString &defaultCategory);

} // namespace merovan
