#pragma once

#include "control/job_findings.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace merovan {

// The dry run of a job file ("--check JOB"). The job is read as the bridge
// reads it and run by the bridge's own interpreter, under the working
// folder's param.ini, vats.dat and payeft.dat, against a register that
// accepts every command (and whose card terminals never answer). The report
// says, line by line, which word a line was read as, its fields by name,
// an item's VAT category, the commands that would go out, what the operator
// would be shown and the result lines the host would read. The findings
// point out, with line and column, what will not do what the host meant:
// lines that no word matches, fields that are not numbers, rates that are
// not in vats.dat, text that looks like UTF-8, lines that do not end in
// CR LF.
//
// Nothing of the host's or the bridge's is touched: the run works in a
// scratch folder with copies of the data files, its result lines go there,
// no journal is kept and the job file stays where it is.
struct JobCheck {
    QStringList report;
    std::vector<JobFinding> findings; // in the order of the file
    bool readable = true;

    // 0: nothing to point out; 1: something is; 4: the job cannot be read.
    int exitStatus() const;
};

JobCheck checkJob(const QString &jobPath);

// Prints the report and then the findings ("JOB:LINE:COLUMN: text") on
// standard output; returns the exit status.
int runJobCheck(const QString &jobPath);

} // namespace merovan
