#pragma once

#include "core/stop_requests.h"
#include "device/command_result.h"
#include "device/connection.h"
#include "device/job_result_writer.h"
#include "device/link_statistics.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace merovan {

class Clock;
class DebugLog;
class Operator;

// What the register's status shows once it has taken a command. Before a
// command goes out again after silence, the link asks for the status and
// compares it with the status before the command was first sent, to tell a
// lost command (send it again) from a lost reply (the register took it:
// sending it again would print it twice).
enum class StatusEffect {
    None,
    // An item: with no receipt open (0) it opens one (1).
    OpensReceipt,
    // A plain payment: an open receipt (1) takes it (2) or is closed by it
    // (0); after an earlier payment (2) only a close (0) shows.
    Pays,
};

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
    StatusEffect statusEffect = StatusEffect::None;
};

// Everything the bridge says to the register goes through here: one
// command out, one reply back, with the deadline, the four attempts, error
// replies answered with "KXCL", the optional wait for a card terminal's
// later answer, the log lines and the result-file lines.
//
// Each reply belongs to its command: bytes that are already waiting before
// a command is first sent (a late reply, a duplicate datagram) are read off
// and logged as stale, and a reply that has arrived is always taken for its
// command, whatever stop has been asked for.
//
// A command that may change the receipt (anything but a query) and was sent
// again after silence may be on the register twice: unless the register's
// status settles it, the result file gets
// "Err = -96, [COMMAND sent again after no answer; the register may hold it
// twice]" and the operator is told.
//
// It runs on the worker thread and never runs window events: its waits
// block on the device or sleep, and look at the stop requests between
// slices. After a stop request an unanswered command is not sent again.
// Once a stop has been asked for twice no further command is sent:
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
    // The code of the line that says a command may be on the register twice.
    static constexpr qint16 kPossibleDoubleCode = -96;
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
    // Told every line that goes to the job's own result file, for the job
    // history's copy of the block.
    std::function<void(const QString &line)> resultLineWritten;

    const LinkStatistics &statistics() const { return statistics_; }

    // Outside any job, while someone watches the register's state from
    // afar: asks "KXSTAT" once and waits at most deadlineMs for an answer,
    // with no resend, no result line and no message. Whether the register
    // answered; a device that is not open or was lost has not. A late
    // answer is read off as stale before the next command.
    bool probePresence(int deadlineMs);

    // While it lives, a query whose reply is awaited gives up as unanswered
    // once a stop is requested and the query has been out for half a
    // second without a reply: the search and the waits that poll the status
    // end within a second, a query changes nothing at the register, and a
    // reply that comes later is read off as stale before the next command.
    // A reply that has arrived is still taken.
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
    // TakenWithoutReply: its reply was lost, but the status shows that the
    // register took it.
    enum class Collected { Complete, ErrorReply, NoAnswer, TakenWithoutReply };
    // What the status asked for before a resend tells.
    enum class ResendCheck { NotTaken, Taken, Unknown, Answered };
    // The sends of one command: how many went out, and how many of them the
    // register may have taken (the status may show that none before a
    // resend was taken); whether the status is still worth asking.
    struct Sends {
        int total = 0;
        int mayBeTaken = 0;
        bool checkStatus = true;
        std::optional<qint16> statusBefore;
    };
    // What the exchange proper gives: its result, the text in which card
    // answers are looked for, and how many copies the register may hold.
    struct Exchanged {
        CommandResult result;
        QString cardCheckText;
        int copiesMayBeHeld = 0;
        int sends = 0;
    };
    Exchanged exchangeCommand(const QString &command, const CommandOptions &options, Sends &sends);
    bool givesWay(qint64 sentAt) const;
    Collected collectReply(const QString &command, QString &reply, const CommandOptions &options, Sends &sends);
    CommandResult exchange(const QString &command, const CommandOptions &options, std::optional<qint16> statusBefore);
    void readOffStaleBytes();
    ResendCheck checkBeforeResend(StatusEffect effect, Sends &sends, QString &reply);
    void awaitErrorNumber(QString &reply);
    bool awaitAsyncReply(QString &reply, int asyncSeconds);
    void answerErrorReply(QString &reply, bool silent);
    void reportNoAnswer(const QString &message, bool silent);
    void appendErrorLine(const CommandResult &result, const QString &command, const QString &resultFile);
    void appendCardReplyLine(const QString &message);
    void reportPossibleDouble(const QString &command, const Exchanged &exchanged, const QString &resultFile);
    // The status last read, while no command since may have changed it.
    void noteStatus(std::optional<qint16> status);

    Clock &clock_;
    Operator &op_;
    DebugLog &log_;
    Connection &connection_;
    StopRequests stops_;
    qint16 lastRegisterError_ = 0;
    std::optional<qint16> knownStatus_;
    bool queriesGiveWay_ = false;
    JobResultWriter results_;
    LinkStatistics statistics_;
};

// "ccPay0 = " body: fields 0, 2, 9, 11, 13, 10, 14 of a card answer and its
// amount (field 3, in cents) as "12,34", joined by ";".
QString formatCardReply(const QString &rest);

} // namespace merovan
