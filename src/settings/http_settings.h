#pragma once

#include <QString>
#include <QStringList>

namespace merovan {

// The host API's lines of param.ini: the key, one blank, the value.
//   [http] ADDRESS:PORT        the API is off without it
//   [http token] PATH          the file that holds the bearer token
//   [http origins] ORIGIN ...  the web origins allowed to call it, blank-separated
//   [history days] N           how many days the job history (which the API
//                              serves) keeps a job
struct HttpSettings {
    QString address;        // as written, not yet checked; empty: off
    QString tokenPath;      // empty: no token
    QStringList origins;
    int historyDays = 90;   // also when the line is not a whole number from 1 up
};

// Reads those lines; the last line of a key wins.
HttpSettings httpSettings(const QStringList &lines);

// Whether a line of param.ini is one of the host API's lines.
bool isHttpSettingLine(const QString &line);

} // namespace merovan
