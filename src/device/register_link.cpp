#include "device/register_link.h"

#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/numeric_text.h"
#include "core/operator.h"
#include "core/register_message.h"
#include "device/command_kinds.h"
#include "device/error_codes.h"
#include "device/job_result_writer.h"
#include "diagnostics/debug_log.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace merovan {

namespace {

constexpr QChar kEot(4);
constexpr int kAttempts = 4;
constexpr int kReplySeconds = 7;
// How long one read may block inside a wait before the wait looks again at
// the operator's window and the stop requests.
constexpr int kWaitSliceMs = 100;
// How long the rest of a cut error number may take to come.
constexpr int kErrorNumberWaitMs = 100;
// How long a query that gives way to stops is waited for in any case: a
// register that answers at all answers well within it.
constexpr int kGiveWayAfterMs = 500;
// Reads of stale bytes before a command, at most: a register that keeps
// talking cannot hold the command back.
constexpr int kStaleReads = 16;

QString noAnswerText() { return QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !"); }

// The status shown while a card terminal's verdict is awaited.
QString cardWaitText() { return QStringLiteral("Αναμονή απάντησης τερματικού καρτών..."); }

} // namespace

void RegisterLink::beginJobResult(const QString &path)
{
    jobResultFile = path;
    results_.begin();
}

void RegisterLink::appendResult(const QString &line, const QString &path)
{
    const QString target = path.isEmpty() ? jobResultFile : path;
    results_.append(target, line);
    if (target == jobResultFile && resultLineWritten)
        resultLineWritten(line);
}

QString RegisterLink::lostDeviceText() const
{
    return QStringLiteral("Πρόβλημα στην Θύρα :") + connection_.connectionText;
}

bool RegisterLink::deviceLost() const
{
    return connection_.transport() && connection_.transport()->lost();
}

RegisterLink::RegisterLink(Clock &clock, Operator &op, DebugLog &log, Connection &connection)
    : clock_(clock), op_(op), log_(log), connection_(connection), results_(op)
{
}

CommandResult RegisterLink::sendCommand(const QString &command, const CommandOptions &options)
{
    CommandResult result{0, options.previousText};
    if (stops_.stopNow()) {
        result.code = kStoppedCode;
        lastRegisterError_ = result.code;
        return result;
    }
    // A device opened anew may be in any state.
    if (!connection_.transport())
        knownStatus_.reset();
    const std::optional<qint16> statusBefore = knownStatus_;
    if (!leavesStatus(command))
        knownStatus_.reset();
    if (!connection_.transport()) {
        // A failed open sends nothing and writes nothing.
        result = connection_.open(options.previousText);
        if (!result.accepted())
            statistics_.recordUnreachable();
        if (result.accepted()) {
            CommandOptions opened = options;
            opened.previousText = result.text;
            result = exchange(command, opened, statusBefore);
        }
    } else if (connection_.transport()->lost()) {
        // The device went away (a USB adapter pulled): every command fails
        // at once until the next job opens it again.
        result = {kLostDeviceCode, lostDeviceText()};
        appendErrorLine(result, command, options.resultFile);
    } else {
        connection_.transport()->forgetFailure();
        result = exchange(command, options, statusBefore);
    }
    lastRegisterError_ = result.code;
    return result;
}

void RegisterLink::noteStatus(std::optional<qint16> status)
{
    // Only the receipt states say what a command did; an error does not.
    const bool receiptState = status && *status >= 0 && *status <= 2;
    knownStatus_ = receiptState ? status : std::nullopt;
}

CommandResult RegisterLink::exchange(const QString &command, const CommandOptions &options,
                                     std::optional<qint16> statusBefore)
{
    Sends sends;
    sends.statusBefore = statusBefore;
    const qint64 startedAt = clock_.monotonicMs();
    const Exchanged exchanged = exchangeCommand(command, options, sends);
    statistics_.recordExchange(exchanged.sends, exchanged.result.code, clock_.monotonicMs() - startedAt);
    appendCardReplyLine(exchanged.cardCheckText);
    appendErrorLine(exchanged.result, command, options.resultFile);
    reportPossibleDouble(command, exchanged, options.resultFile);
    return exchanged.result;
}

void RegisterLink::reportPossibleDouble(const QString &command, const Exchanged &exchanged, const QString &resultFile)
{
    if (exchanged.sends < 2 || isQuery(command))
        return;
    if (exchanged.copiesMayBeHeld < 2) {
        log_.addLine(log_.noteLine(QStringLiteral("[%1] sent again, settled as taken once").arg(command)));
        return;
    }
    log_.addLine(log_.noteLine(QStringLiteral("[%1] sent again after no answer: may be held twice").arg(command)));
    appendResult(QStringLiteral("Err = %1, [%2 sent again after no answer; the register may hold it twice] DateTime = %3")
                     .arg(kPossibleDoubleCode)
                     .arg(command, resultStamp(clock_.now())),
                 resultFile);
    PlainMessage(op_,
                 QStringLiteral("Η εντολή %1 στάλθηκε ξανά επειδή η ταμειακή δεν απάντησε: μπορεί να έχει "
                                "καταχωρηθεί δύο φορές. Ελέγξτε την απόδειξη.")
                     .arg(command),
                 MsgExclamation);
}

void RegisterLink::appendErrorLine(const CommandResult &result, const QString &command, const QString &resultFile)
{
    if (!result.accepted()) {
        appendResult(
            QStringLiteral("Err = %1, [%2] DateTime = %3").arg(result.code).arg(command, resultStamp(clock_.now())),
            resultFile);
    }
}

void RegisterLink::appendCardReplyLine(const QString &message)
{
    const QString head = message.left(15).trimmed();
    if (head == QStringLiteral("358OK") || head == QStringLiteral("355OK")) {
        const QString rest = message.mid(5).trimmed();
        if (!rest.isEmpty())
            appendResult(QStringLiteral("ccPay0 = ") + formatCardReply(rest));
    } else if (head == QStringLiteral("356OK")) {
        appendResult(QStringLiteral("ccPay0 = 0,OK"));
    }
}

RegisterLink::Exchanged RegisterLink::exchangeCommand(const QString &command, const CommandOptions &options,
                                                      Sends &sends)
{
    lastRegisterError_ = 0;
    QString reply;
    const Collected collected = collectReply(command, reply, options, sends);
    Exchanged exchanged;
    exchanged.sends = sends.total;
    // A refusal was one send that the register did not take.
    exchanged.copiesMayBeHeld = sends.mayBeTaken - (collected == Collected::ErrorReply ? 1 : 0);
    bool laterMessage = false;
    switch (collected) {
    case Collected::NoAnswer:
        reportNoAnswer(noAnswerText(), options.silent);
        exchanged.result = {-4, noAnswerText()};
        exchanged.cardCheckText = noAnswerText();
        return exchanged;
    case Collected::TakenWithoutReply:
        log_.addLine(
            log_.noteLine(QStringLiteral("[%1] taken by the register, its reply lost: not sent again").arg(command)));
        return exchanged;
    case Collected::Complete:
        if (command == QStringLiteral("KX794ST\r")) {
            // This command is never answered: only a failed write counts.
            const Transport::Failure failure = connection_.transport()->lastFailure();
            exchanged.result = {failure.code, failure.text};
            exchanged.cardCheckText = options.previousText;
            return exchanged;
        }
        log_.addLine(log_.replyLine(reply));
        waitCancelled = false;
        laterMessage = awaitAsyncReply(reply, options.asyncSeconds);
        break;
    case Collected::ErrorReply:
        break;
    }
    log_.addLine(log_.replyLine(reply));

    reply.remove(QLatin1Char('\r'));
    reply.remove(kEot);
    clock_.pause(100);

    if (reply.startsWith(QStringLiteral("DE"))) {
        answerErrorReply(reply, options.silent);
        exchanged.result = {lastRegisterError_, QString::number(lastRegisterError_)};
        exchanged.cardCheckText = options.previousText;
    } else {
        exchanged.result = {lastRegisterError_, reply, laterMessage};
        exchanged.cardCheckText = reply;
    }
    log_.addLine(log_.endLine());
    return exchanged;
}

bool RegisterLink::givesWay(qint64 sentAt) const
{
    return queriesGiveWay_ && stops_.requested() && clock_.monotonicMs() - sentAt >= kGiveWayAfterMs;
}

void RegisterLink::readOffStaleBytes()
{
    Transport &link = *connection_.transport();
    if (!link.isOpen())
        return;
    QString stale;
    for (int i = 0; i < kStaleReads && link.waitForData(0); ++i)
        stale += link.receive(0);
    if (!stale.isEmpty())
        log_.addLine(log_.staleLine(stale));
}

RegisterLink::Collected RegisterLink::collectReply(const QString &command, QString &reply,
                                                   const CommandOptions &options, Sends &sends)
{
    Transport &link = *connection_.transport();
    // Only before the first send: a resend keeps what came for the command.
    readOffStaleBytes();
    for (;;) {
        link.send(command);
        ++sends.total;
        ++sends.mayBeTaken;
        log_.addLine(log_.sendLine(command));
        if (command == QStringLiteral("KX794ST\r"))
            return Collected::Complete;

        lastRegisterError_ = 0;
        const qint64 sentAt = clock_.monotonicMs();
        const qint64 deadline = sentAt + (kReplySeconds + options.extraTimeout) * 1000LL;
        // What came in earlier attempts is kept: a late reply still counts.
        for (;;) {
            auto left = std::max<qint64>(0, deadline - clock_.monotonicMs());
            if (queriesGiveWay_)
                left = std::min<qint64>(left, kWaitSliceMs);
            reply += link.receive(static_cast<int>(left));
            if (link.lost())
                break;
            if (reply.contains(QStringLiteral("DE"))) {
                awaitErrorNumber(reply);
                return Collected::ErrorReply;
            }
            if (reply.contains(kEot))
                return Collected::Complete;
            if (givesWay(sentAt) || clock_.monotonicMs() >= deadline)
                break;
        }
        lastRegisterError_ = -4;
        // After a stop request an unanswered command is not sent again, so
        // the end is never held up by resends to a register that is gone.
        if (link.lost() || stops_.requested() || sends.total >= kAttempts)
            return Collected::NoAnswer;
        if (reply.isEmpty() && sends.checkStatus) {
            switch (checkBeforeResend(options.statusEffect, sends, reply)) {
            case ResendCheck::Taken:
                return Collected::TakenWithoutReply;
            case ResendCheck::NotTaken:
                sends.mayBeTaken = 0;
                break;
            case ResendCheck::Unknown:
                sends.checkStatus = false;
                break;
            case ResendCheck::Answered:
                lastRegisterError_ = 0;
                if (reply.contains(QStringLiteral("DE"))) {
                    awaitErrorNumber(reply);
                    return Collected::ErrorReply;
                }
                if (reply.contains(kEot))
                    return Collected::Complete;
                break;
            }
            if (stops_.requested())
                return Collected::NoAnswer;
        }
    }
}

void RegisterLink::awaitErrorNumber(QString &reply)
{
    // An error reply counts as soon as "DE" is in, but one cut inside its
    // four-character number would read as another number: the rest of it
    // gets a moment to come.
    if (!reply.startsWith(QStringLiteral("DE")))
        return;
    Transport &link = *connection_.transport();
    const qint64 until = clock_.monotonicMs() + kErrorNumberWaitMs;
    while (reply.size() < 6 && !reply.contains(kEot) && clock_.monotonicMs() < until)
        reply += link.receive(static_cast<int>(until - clock_.monotonicMs()));
}

bool RegisterLink::awaitAsyncReply(QString &reply, int asyncSeconds)
{
    Transport &link = *connection_.transport();
    RegisterMessagePtr window;
    if (asyncSeconds != 0) {
        window = std::make_shared<RegisterMessage>(clock_);
        QObject::connect(window.get(), &RegisterMessage::closed, [this] { waitCancelled = true; });
        window->open();
        op_.showRegisterMessage(window);
        op_.mainWindow().setWaitNote(cardWaitText());
        op_.mainWindow().repaint();
    }

    // The wait lasts the seconds asked for, from the end of the first
    // reply; with none asked for it is one read that does not wait, so a
    // message that is already there is still taken. A first stop request
    // does not end it: the terminal may be taking the card, and only its
    // verdict says whether it did. The operator's close and a second
    // request do.
    bool laterMessage = false;
    const qint64 deadline = clock_.monotonicMs() + qint64(asyncSeconds) * 1000;
    for (bool first = true; first || clock_.monotonicMs() < deadline; first = false) {
        const auto left = std::clamp<qint64>(deadline - clock_.monotonicMs(), 0, kWaitSliceMs);
        const QString chunk = link.receive(static_cast<int>(left));
        if (chunk.isEmpty()) {
            if (waitCancelled || stops_.stopNow() || link.lost())
                break;
            continue;
        }
        // The terminal's answer may come in pieces: give it time, then
        // take it whole instead of the first reply.
        clock_.pause(2000);
        reply = chunk + link.receive(link.readTimeoutMs());
        log_.addLine(log_.asyncReplyLine(reply));
        laterMessage = true;
        break;
    }
    if (window) {
        window->close();
        op_.mainWindow().setWaitNote({});
        op_.mainWindow().repaint();
    }
    return laterMessage;
}

void RegisterLink::answerErrorReply(QString &reply, bool silent)
{
    // A "DE" without a number is still a refusal: count it as the general
    // communication error rather than as success.
    const QString digits = reply.mid(2, 4);
    lastRegisterError_ = isNumeric(digits) ? wholeNumber<qint16>(leadingNumber(digits)).value_or(kUnreadableNumber)
                                     : kUnreadableNumber;
    decodeErrorReply(reply, silent);

    Transport &link = *connection_.transport();
    link.send(QStringLiteral("KXCL"));
    clock_.pause(1000);
    link.receive(link.readTimeoutMs());
}

void RegisterLink::decodeErrorReply(QString &reply, bool silent)
{
    QString word = reply.section(QLatin1Char(' '), 0, 0);
    if (word.startsWith(QStringLiteral("DE"))) {
        word.remove(QStringLiteral("DE"));
        reply = registerErrorText(word);
        if (!silent && isNumeric(word))
            lastRegisterError_ = wholeNumber<qint16>(leadingNumber(word)).value_or(kUnreadableNumber);
    }
    if (word != QStringLiteral("00") && !silent) {
        op_.mainWindow().setCaption(reply + QStringLiteral("Σφάλμα !!!"));
        op_.mainWindow().repaint();
        showMessage(op_, QStringLiteral("Λάθος : %1\r%2").arg(lastRegisterError_).arg(reply), MsgCritical);
    }
}

void RegisterLink::reportNoAnswer(const QString &message, bool silent)
{
    if (!silent) {
        op_.mainWindow().setCaption(message + QStringLiteral("Σφάλμα !!!"));
        op_.mainWindow().repaint();
        QString caption = QStringLiteral("Μύνημα Φορολ. Εκτυπωτή");
        showMessage(op_, message, MsgInformation, caption);
    }
}

QString formatCardReply(const QString &rest)
{
    // Missing fields of a short answer are taken as empty.
    const QStringList fields = rest.split(QLatin1Char(':'));
    const auto field = [&fields](int i) { return i < fields.size() ? fields[i] : QString(); };

    const QString cents = field(3);
    QString amount;
    if (cents.size() == 1)
        amount = QStringLiteral("0,0") + cents;
    else if (cents.size() == 2)
        amount = QStringLiteral("0,") + cents;
    else if (cents.size() > 2)
        amount = cents.left(cents.size() - 2) + QLatin1Char(',') + cents.right(2);

    QStringList parts;
    for (int i : {0, 2, 9, 11, 13, 10, 14})
        parts << field(i);
    parts << amount;
    return parts.join(QLatin1Char(';'));
}

} // namespace merovan
