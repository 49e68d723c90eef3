#pragma once

#include "interpreter/other_commands.h"
#include "interpreter/payments.h"
#include "interpreter/sale_lines.h"
#include "interpreter/tables.h"
#include "interpreter_fixture.h"
#include "payments/payment_types.h"
#include "settings/vat_table.h"

#include <QHash>

#include <deque>
#include <optional>
#include <vector>

namespace merovan::test {

// The register's successive answers to "KXSTAT": "1 2 0" for STAT:1, STAT:2, STAT:0.
inline QStringList stat(const QString &codes) { return QString("STAT:" + codes).replace(" ", " STAT:").split(' '); }

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
    return jobLine("to", {{8, type}, {11, amount.rightJustified(9)}});
}

// The result line of a command the register refused.
inline QString errLine(int code, const QString &command)
{
    return QString("Err = %1, [%2] DateTime = <time>").arg(code).arg(command);
}

template <typename Value>
std::function<void(ParamSettings &)> setting(Value ParamSettings::*field, Value value)
{
    return [field, value](ParamSettings &s) { s.*field = value; };
}

// One job: its lines, the commands sent between the opening "KXCL"s and the
// closing queries, and the result lines between its start and end lines.
// Card verdicts set before it stay.
struct JobCase {
    const char *name;
    QStringList job;
    QStringList sent;
    QStringList written = {};
    QHash<QString, QStringList> replies = {}; // successive answers, the last repeats
    std::function<void(ParamSettings &)> setUp = {};
    int exitCode = 0;
    std::optional<QStringList> boxes = {}; // the messages shown, when checked
};

// Every keyword group on a register that answers from tables ("00 OK" unless
// told), card verdicts arriving later in pieces; a Z report shows as "<Z report>".
class ScriptedRegister : public InterpreterTest {
protected:
    using Piece = std::pair<qint64, QString>; // after so many ms, this text

    ScriptedRegister()
    {
        installSaleLines(interpreter);
        installPayments(interpreter);
        installTables(interpreter);
        installOtherCommands(interpreter);
        interpreter.zReport = [this] { commands << "<Z report>"; };
        // VAT categories 1 to 5: 24, 13, 6, 0 and 17 percent.
        saveVatRates(dir.filePath("vats.dat"), {24, 13, 6, 0, 17});
        registerScript = [this](const QString &command, FakeTransport &reg) {
            commands << command;
            reg.arrive(5, reply(replyTo(command)));
            auto late = verdicts.find(command);
            if (late == verdicts.end() || late->empty())
                return;
            for (const auto &[afterMs, text] : late->front())
                reg.arrive(afterMs, text);
            late->pop_front();
        };
    }

    QString replyTo(const QString &command)
    {
        QStringList &answers = replies[command];
        if (answers.isEmpty())
            return command == "KXSTAT" ? "STAT:0" : "00 OK";
        return answers.size() > 1 ? answers.takeFirst() : answers.front();
    }

    void check(const JobCase &c)
    {
        SCOPED_TRACE(c.name);
        replies = c.replies;
        op.boxes.clear();
        QFile::remove(dir.filePath("Result"));
        ParamSettings settings = defaultSettings();
        if (c.setUp)
            c.setUp(settings);
        run(c.job, settings);
        EXPECT_EQ(body(), c.sent);
        const QStringList result = maskedResult();
        EXPECT_EQ(result.mid(2, result.indexOf("DateTime end = <time>") - 2), c.written);
        EXPECT_EQ(result.value(result.size() - 1), QString("exitcode = %1").arg(c.exitCode));
        if (c.boxes) {
            QStringList shown;
            for (const auto &box : op.boxes)
                shown << box.text;
            EXPECT_EQ(shown, *c.boxes);
        }
    }

    // A verdict for the next time this command is sent.
    void verdict(const QString &command, std::vector<Piece> pieces) { verdicts[command].push_back(std::move(pieces)); }

    // A card payment type on terminal 1: register key, further tries,
    // fallback key and print pause.
    static void saveCardType(qint16 number, qint16 key = 2, qint16 retries = 0, qint16 fallback = 0, qint16 delay = 0)
    {
        ASSERT_EQ(writePaymentType({number, key, 1, -1, retries, fallback, delay}), 0);
    }

    QHash<QString, QStringList> replies;
    QHash<QString, std::deque<std::vector<Piece>>> verdicts;
};

} // namespace merovan::test
