#pragma once

#include "history/job_record.h"
#include "jobs/job_submission.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <optional>

namespace merovan {

// The register message window while it is up.
struct RegisterMessageTexts {
    QString caption;
    QString message;
    QString detail;
};

// The job under way.
struct JobUnderWay {
    qint64 id = 0;        // 0 when the history could not record it
    JobSource source = JobSource::Folder;
    JobKind kind = JobKind::Job;
    QString tag;
    int percent = 0;      // 0..100
};

struct LastRegisterError {
    int code = 0;
    QString text;
};

struct BridgeStatus {
    bool online = false;    // the register answered the search and has not gone silent since
    QString firmware;       // "KXVER"'s answer, or "---"
    QString caption;        // the main window's caption
    QString statusLine;     // the main window's status line
    bool printing = false;  // Start was pressed: jobs are taken
    bool stopping = false;  // a stop request was made
    bool reportsEnabled = false; // the report menu items are enabled now
    std::optional<JobUnderWay> job;
    int queueLength = 0;    // jobs waiting on the queue (API and reports)
    std::optional<LastRegisterError> lastError;
    std::optional<RegisterMessageTexts> registerMessage;
};

struct LogLine {
    qint64 seq = 0; // counts up from 1 over the program's run
    QString text;
};

// Counters for /metrics, since start.
struct BridgeMetrics {
    QMap<QPair<QString, QString>, qint64> jobs; // (source name, outcome state name) -> count
    qint64 commandsSent = 0;
    qint64 resends = 0;
    QMap<int, qint64> errorReplies;             // register error code -> count
    QList<double> exchangeBucketBounds;         // seconds, ascending, without +Inf
    QList<qint64> exchangeBucketCounts;         // cumulative, one per bound, then +Inf
    double exchangeSecondsSum = 0;
    qint64 exchangeCount = 0;
    bool online = false;
    int queueLength = 0;
};

// What the host API reads and asks of the bridge. It lives on the API's
// (main) thread; every call returns at once: nothing here waits for the
// register. Its signals reach the API's thread.
class HostApiBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual SubmitAnswer submit(const JobSubmission &submission) = 0;
    virtual std::optional<JobRecord> job(qint64 id) const = 0;
    // The newest first: at most limit jobs whose id is below before (0: no bound).
    virtual QList<JobRecord> jobs(int limit, qint64 before) const = 0;
    virtual BridgeStatus status() const = 0;
    // The communication log's lines after seq that are still kept (the
    // newest few thousand), and the seq of the oldest one kept.
    virtual QList<LogLine> logAfter(qint64 seq) const = 0;
    virtual BridgeMetrics metrics() const = 0;
    // The operator's stop request, as the main window's End.
    virtual void requestStop() = 0;
    virtual bool stopping() const = 0;

Q_SIGNALS:
    void jobChanged(qint64 id);
    void statusChanged();
    void logGrew();
};

} // namespace merovan
