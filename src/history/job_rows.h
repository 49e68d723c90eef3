#pragma once

#include "history/job_record.h"

#include <QSqlQuery>
#include <QVariant>

namespace merovan {

// How a record's fields are held in a job row.
QVariant textValue(const QString &text);     // never NULL: "" for a null string
QVariant timeValue(const QDateTime &time);   // UTC milliseconds; NULL for a null time
QString resultValue(const QStringList &lines); // a JSON array of strings
QVariant receiptValue(const std::optional<QList<qint64>> &receipt); // "12 345 6"; NULL for none
QVariant exitCodeValue(std::optional<int> exitCode);

// The record of the query's current row, read in jobColumnList()'s order.
JobRecord jobFromRow(const QSqlQuery &query);

} // namespace merovan
