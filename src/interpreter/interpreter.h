#pragma once

#include "device/command_result.h"
#include "device/register_link.h"
#include "interpreter/job_file.h"
#include "payments/card_flow.h"
#include "payments/payment_types.h"
#include "settings/param_file.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace merovan {

class JobProgress;
class Clock;
class DebugLog;
class Operator;

// The sale-line record handed to sendSaleLine: the values of one line.
struct SaleLine {
    QString price;
    QString text; // what the register prints, already converted
    QString itemCode;
    QString category;    // the VAT category, or the department
    QString paymentType; // of a payment line
    QString surcharge;
    QString discount;
    QString discountPercent;
    QString surchargePercent;
    QString quantity;
    int kind = 0;
    CurrencyRule currency = CurrencyRule::Unset;
    QString resultFile;
};

// Line kinds of SaleLine::kind.
enum LineKind : int {
    KindItem = 1,
    KindPayment = 2,
    KindSubtotalAdjustment = 3,
    KindKeySequence = 9,
    KindItemPercentDiscount = 51,
    KindItemPercentSurcharge = 52,
    KindItemDiscount = 53,
    KindItemSurcharge = 54,
};

// One job while it runs; created at its start, dropped at its end.
struct Job {
    QString file;
    ParamSettings settings;
    SaleLine sale;
    int toLines = 0;
    QString tableNumber; // of the last "TBO"
    QString tableText;
    qint16 tableReceipt = 0; // read back by "TBC"
    QString cancelNumber = QStringLiteral("0");
    QStringList footer;
    int exitCode = 0;
};

// What survives from job to job.
struct InterpreterState {
    bool zeroPaymentAllowed = true;
    bool tableTransferMode = false;
    bool partialPaymentMode = false;
    qint16 transferRefusals = 0;
    CurrentCardPayment currentCard;
    bool cardFallbackUsed = false;
    bool footerPending = false;
};

// How a job run ended, for the one who disposes of its file.
enum class JobOutcome {
    Ran,         // its end lines are written
    Interrupted, // stopped at a command boundary: "Err = -97" before its end lines
    Rejected,    // it will not be run (unreadable, too large, not a file); the result file says why
    NotStarted,  // it could not be recorded in the journal: nothing was sent or written; left for later
};

// How a keyword's handler ends its line.
enum class LineEnd {
    Next,       // go on with the next line
    EndJob,     // end normally ("exit", a refused "can")
    Stop,       // stop with exit code 1 (table errors)
    WrongTable, // "TBT" with a table number that is not a number
};

// The receipt interpreter: runs one job file line by line, dispatching each
// line to its keyword's handler, and writes the outcome into the host's
// result file. The keyword groups (sale lines, payments, tables, other
// commands) install their handlers; a keyword without one does nothing.
class Interpreter {
public:
    using Handler = std::function<LineEnd(Job &job, const QString &line)>;
    using KindHandler = std::function<void(Job &job, SaleLine &sale)>;

    Interpreter(RegisterLink &link, Operator &op, Clock &clock, DebugLog &log, QString &replyText,
                JobProgress &progress);
    ~Interpreter();

    // Runs one job file under the settings.
    JobOutcome runJob(const QString &path, const ParamSettings &settings);

    // Sends the commands of one prepared sale line.
    void sendSaleLine(Job &job, SaleLine &sale);

    void setHandler(const QString &keyword, Handler handler);

    // The keyword whose columns and case rule the line matches, spelt as
    // the keyword table spells it ("PLU", "to", "TBO"); empty when none does.
    QString keywordOf(const QString &line) const;
    // The keyword the line would hold if its case did not matter.
    QString keywordInAnyCase(const QString &line) const;
    // The spellings a keyword is accepted in, for a line whose case is not
    // one of them: "snd" only so, "TBO" as "TBO" or "tbo"; a keyword that
    // any case matches gives itself.
    QStringList spellingsOf(const QString &keyword) const;
    // Whether its lines are read under the settings: the comment keywords
    // only while comments are on.
    bool readsKeyword(const QString &keyword, const ParamSettings &settings) const;
    void setKindHandler(int kind, KindHandler handler);

    // Hooks of the job end, installed by the groups that own them.
    std::function<void(Job &)> cardFailureWarning;
    std::function<QString(const QString &table)> tableAmount;
    std::function<void(Job &)> printFooter;
    // The daily Z report of the menu ("MKZ").
    std::function<void()> zReport;
    // When set, the job's result lines go to this file instead of the one
    // its header names: a dry run leaves the host's file alone.
    QString divertedResultFile;
    // The job's progress for the crash journal: before its first command
    // (with its stamp of "DateTime start"), and after each line with the
    // number of the last line whose commands were sent. A job whose start
    // cannot be recorded is not started: nothing is sent, nothing written.
    std::function<bool(const QString &path, const JobText &text, const JobHeader &header, const QString &started)>
        jobStarting;
    std::function<void(int line)> lineSent;

    // For the handlers: one command and what it came to; its code becomes
    // the last register error and its text the main window's reply text.
    CommandResult send(const QString &command, bool silent = false, int asyncSeconds = 0,
                       const QString &resultFile = {}, int extraTimeout = 0);
    // The same with all of the link's options; the previous text is the
    // reply text.
    CommandResult send(const QString &command, CommandOptions options);
    void appendResult(const QString &line);
    QString resultStamp() const;

    // "KXRE": the three receipt counters joined by ", ", or "-1, -1, -1".
    QString receiptCounters();

    RegisterLink &link() { return link_; }
    Operator &op() { return op_; }
    Clock &clock() { return clock_; }
    DebugLog &log() { return log_; }
    InterpreterState state;

private:
    struct Keyword;
    const Keyword *keyword(const QString &word) const;
    bool start(const QString &path, const JobText &text);
    void finish(Job &job);
    bool stoppingNow() const;
    LineEnd dispatch(Job &job, const QString &line);

    RegisterLink &link_;
    Operator &op_;
    Clock &clock_;
    DebugLog &log_;
    QString &reply_;
    JobProgress &progress_;
    std::vector<Keyword> keywords_;
    std::vector<std::pair<int, KindHandler>> kinds_;
};

} // namespace merovan
