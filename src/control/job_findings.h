#pragma once

#include "interpreter/job_fields.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace merovan {

// Something in a job file that will not do what its host meant, at the
// place where it stands; line 0 is the file as a whole.
struct JobFinding {
    int line = 0;
    int column = 0;
    QString text;
};

// The bytes of a job file, cut into lines as the bridge cuts them (at
// CR LF): lines whose text looks like UTF-8 (every byte above 127 is part of
// a UTF-8 sequence, and there is one at least) and line ends without CR.
std::vector<JobFinding> encodingFindings(const QByteArray &bytes);

// The fields of a keyword's line that do not hold what their kind asks for:
// numbers that are not numbers, amounts without two decimals, blanks where
// a value is needed.
std::vector<JobFinding> fieldFindings(int lineNumber, const QString &line, const JobWordLayout &layout);

} // namespace merovan
