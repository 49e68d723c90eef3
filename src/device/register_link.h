#pragma once

#include "core/stop_requests.h"
#include "device/command_result.h"
#include "device/connection.h"
#include "device/job_result_writer.h"

#include <QString>

#include <atomic>

namespace merovan {

class Clock;
class DebugLog;
class Operator;

// How a command is sent.
struct CommandOptions {
    // No message boxes, no caption.
    bool silent = false;
    // Seconds to wait, after a complete reply, for a card terminal's later
    // answer (with the register message window up).
    int asyncSeconds = 0;
    // Where an "Err = " line goes; empty means the job's result file.
    QString resultFile = {};
    // Seconds added to the 7-second reply deadline.
    int extraTimeout = 0;
    // The text the caller's previous command left. A command that ends
    // without a text of its own gives it back, and an error reply leaves it
    // in place when the card answers are looked for, as the link always
    // has: a card answer held from before is written again then.
    QString previousText = {};
};

// Everything the bridge says to the register goes through here: one
// command out, one reply back, with the deadline, the four attempts, error
// replies answered with "KXCL", the optional wait for a card terminal's
// later answer, the log lines and the result-file lines.
//
// It runs on the worker thread and never runs window events: its waits
// block on the device or sleep, and look at the stop requests between
// slices. Once a stop has been asked for twice no further command is sent:
// sendCommand answers kStoppedCode without touching the register.
class RegisterLink {
public:
    RegisterLink(Clock &clock, Operator &op, DebugLog &log, Connection &connection);

    // Sends one command and gives what it came to; its code is also kept
    // as the last register error. A failure is written to the result file
    // as an "Err = " line; card answers as "ccPay0 = " lines.
    CommandResult sendCommand(const QString &command, const CommandOptions &options = {});

    // The register's status: 0 no receipt open, 1 and 2 receipt states, any
    // other number a register error, -4 no answer.
    qint16 readRegisterStatus();

    // Holds, with the register message window up, until the status is
    // okCode or 0, or the operator closes the window. With expected >= 0 any
    // status other than expected is shown as 1138.
    void waitUntilErrorCleared(qint16 okCode, qint16 expected);

    // Decodes an error reply in place and, unless silent, shows it.
    void decodeErrorReply(QString &reply, bool silent);

    Connection &connection() { return connection_; }
    StopRequests &stops() { return stops_; }

    // The result of a command that was not sent because the program is
    // stopping now.
    static constexpr qint16 kStoppedCode = -97;
    // The result of a command on a device that went away, with the serial
    // port's failure text ("Πρόβλημα στην Θύρα :" and the connection text).
    static constexpr qint16 kLostDeviceCode = -1;
    // A number in a reply that is not one or does not fit a code counts as
    // the general communication error, never as success.
    static constexpr qint16 kUnreadableNumber = -99;
    QString lostDeviceText() const;
    bool deviceLost() const;

    // The code of the last command; 0 exactly when it was accepted.
    qint16 lastRegisterError() const { return lastRegisterError_; }
    // Set when the operator closes the register message window (from the
    // window thread).
    std::atomic<bool> waitCancelled = false;
    // The running job's result file ("Result" in the working folder when
    // the job names none).
    QString jobResultFile = QStringLiteral("Result");

    // A new job's result file; its first line that has to go elsewhere
    // tells the operator again.
    void beginJobResult(const QString &path);

    // Appends a line, whole or not at all, to the job's result file (or to
    // path when given); what cannot be written there goes elsewhere, as
    // JobResultWriter says: nothing the host should read is lost.
    void appendResult(const QString &line, const QString &path = {});

    // While it lives, a status query whose reply is awaited gives up as
    // unanswered once a stop is requested: the waits that poll the status
    // must end within a second, and a query changes nothing at the register.
    class QueriesGiveWayToStops {
    public:
        explicit QueriesGiveWayToStops(RegisterLink &link) : link_(link) { link_.queriesGiveWay_ = true; }
        ~QueriesGiveWayToStops() { link_.queriesGiveWay_ = false; }
        QueriesGiveWayToStops(const QueriesGiveWayToStops &) = delete;
        QueriesGiveWayToStops &operator=(const QueriesGiveWayToStops &) = delete;

    private:
        RegisterLink &link_;
    };

private:
    enum class Collected { Complete, ErrorReply, NoAnswer };
    // What the exchange proper gives: its result, and the text in which
    // card answers are looked for.
    struct Exchanged {
        CommandResult result;
        QString cardCheckText;
    };
    Exchanged exchangeCommand(const QString &command, const CommandOptions &options);
    bool replyWaitAbandoned() const { return queriesGiveWay_ && stops_.requested(); }
    Collected collectReply(const QString &command, QString &reply, int extraTimeout);
    CommandResult exchange(const QString &command, const CommandOptions &options);
    void awaitErrorNumber(QString &reply);
    void awaitAsyncReply(QString &reply, int asyncSeconds);
    void answerErrorReply(QString &reply, bool silent);
    void reportNoAnswer(const QString &message, bool silent);
    void appendErrorLine(const CommandResult &result, const QString &command, const QString &resultFile);
    void appendCardReplyLine(const QString &message);

    Clock &clock_;
    Operator &op_;
    DebugLog &log_;
    Connection &connection_;
    StopRequests stops_;
    qint16 lastRegisterError_ = 0;
    bool queriesGiveWay_ = false;
    JobResultWriter results_;
};

// "ccPay0 = " body: fields 0, 2, 9, 11, 13, 10, 14 of a card answer and its
// amount (field 3, in cents) as "12,34", joined by ";".
QString formatCardReply(const QString &rest);

} // namespace merovan
