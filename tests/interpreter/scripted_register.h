#pragma once

#include "interpreter/other_commands.h"
#include "interpreter/payments.h"
#include "interpreter/tables.h"
#include "interpreter_fixture.h"
#include "payments/payment_types.h"

#include <QHash>

#include <deque>
#include <utility>
#include <vector>

namespace merovan::test {

// A job line: the keyword from column 2, each field at its column.
inline QString jobLine(const QString &keyword, std::initializer_list<std::pair<int, QString>> fields = {})
{
    QString line = QLatin1Char(' ') + keyword;
    for (const auto &[column, text] : fields)
        line = line.leftJustified(column - 1) + text;
    return line;
}

// "to" with its payment type at column 8 and its amount at 11-19.
inline QString toLine(const QString &type, const QString &amount)
{
    return jobLine(QStringLiteral("to"), {{8, type}, {11, amount.rightJustified(9)}});
}

// The interpreter with the payments, tables and pass-through groups on a
// register that answers from tables: a fixed reply per command, else the
// receipt status from a list (its last entry repeats) or "00 OK", and
// card verdicts that arrive later, in pieces, after the first reply.
class ScriptedRegister : public InterpreterTest {
protected:
    struct Piece {
        qint64 afterMs;
        QString text;
    };

    ScriptedRegister()
    {
        installPayments(interpreter);
        installTables(interpreter);
        installOtherCommands(interpreter);
        registerScript = [this](const QString &command, FakeTransport &reg) {
            commands << command;
            reg.arrive(5, reply(replyTo(command)));
            auto late = verdicts.find(command);
            if (late == verdicts.end() || late->empty())
                return;
            for (const Piece &piece : late->front())
                reg.arrive(piece.afterMs, piece.text);
            late->pop_front();
        };
    }

    QString replyTo(const QString &command)
    {
        if (replies.contains(command))
            return replies[command];
        if (command == QStringLiteral("KXSTAT")) {
            const QString status = statuses.isEmpty() ? QStringLiteral("0") : statuses.front();
            if (statuses.size() > 1)
                statuses.removeFirst();
            return QStringLiteral("STAT:") + status;
        }
        return QStringLiteral("00 OK");
    }

    // A verdict for the next time this command is sent.
    void verdict(const QString &command, std::vector<Piece> pieces) { verdicts[command].push_back(std::move(pieces)); }

    static void savePaymentType(const PaymentTypeRecord &record) { ASSERT_EQ(writePaymentType(record), 0); }

    // A card payment type: register key, terminal, further tries, fallback
    // key and print pause.
    static PaymentTypeRecord cardType(qint16 number, qint16 key, qint16 terminal, qint16 retries = 0,
                                      qint16 fallback = 0, qint16 delay = 0)
    {
        return {number, key, terminal, -1, retries, fallback, delay};
    }

    QStringList statuses;
    QHash<QString, QString> replies;
    QHash<QString, std::deque<std::vector<Piece>>> verdicts;
};

// An approval as the register brings it from the terminal: "358OK" padded
// to fifteen characters, then fifteen fields, the amount in cents third.
inline QString approval(const QString &cents)
{
    return QStringLiteral("358OK").leftJustified(15) +
           QStringLiteral("1:SALE:000017:%1:0:0:260314:102030:M100:VISA:************1234:A1B2C3:001:REF0042:00")
               .arg(cents);
}

} // namespace merovan::test
