#include "interpreter/other_commands.h"

#include "device/register_link.h"
#include "greek/register_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/line_handler.h"
#include "interpreter/sale_texts.h"

namespace merovan {

namespace {

// "ver": the register's firmware version, for the host.
LineEnd verLine(Interpreter &interpreter, Job &, const QString &)
{
    if (const CommandResult version = interpreter.send(QStringLiteral("KXVER"), true); version.accepted())
        interpreter.appendResult(QStringLiteral("f/w = ") + version.text);
    return LineEnd::Next;
}

// "sin": a simple invoice's number.
LineEnd sinLine(Interpreter &interpreter, Job &, const QString &line)
{
    const QString number = fieldText(line, fields::sinNumber).trimmed();
    if (interpreter.send(QStringLiteral("KX") + number + QStringLiteral("CK"), true).accepted())
        interpreter.appendResult(QStringLiteral("Simple Inv = ") + number);
    return LineEnd::Next;
}

// "inv": a fiscal invoice's text.
LineEnd invLine(Interpreter &interpreter, Job &, const QString &line)
{
    const QString text = replaceAccentedLetters(fieldText(line, fields::invText).trimmed());
    if (interpreter.send(QStringLiteral("KX@165TIN") + windowsToRegisterSet(toRegisterUpper(text)), true).accepted())
        interpreter.appendResult(QStringLiteral("Fiscal Inv = ") + text);
    return LineEnd::Next;
}

// "snd": a raw command, sent as the host wrote it; its answer, refusals
// included, goes to the host with line feeds as "~".
LineEnd sndLine(Interpreter &interpreter, Job &, const QString &line)
{
    CommandResult answer = interpreter.send(QStringLiteral("KX") + fieldText(line, fields::sndCommand), true);
    const QString reply = answer.text.replace(QLatin1Char('\n'), QLatin1Char('~'));
    interpreter.appendResult(QStringLiteral("sndReply = %1;%2").arg(answer.code).arg(reply));
    return LineEnd::Next;
}

// "PRG": keys as typed on the register's keyboard; a sequence that does
// not name its own key group ("KY") goes to the "KX" keys.
LineEnd prgLine(Interpreter &interpreter, Job &job, const QString &line)
{
    QString keys = toRegisterUpper(fieldText(line, fields::prgKeys).trimmed());
    if (!keys.startsWith(QStringLiteral("KY")))
        keys.prepend(QStringLiteral("KX"));
    job.sale.text = adjustmentText(keys);
    job.sale.kind = KindKeySequence;
    interpreter.sendSaleLine(job, job.sale);
    return LineEnd::Next;
}

} // namespace

void installOtherCommands(Interpreter &interpreter)
{
    setLineHandler(interpreter, QStringLiteral("ver"), verLine);
    setLineHandler(interpreter, QStringLiteral("sin"), sinLine);
    setLineHandler(interpreter, QStringLiteral("inv"), invLine);
    setLineHandler(interpreter, QStringLiteral("snd"), sndLine);
    setLineHandler(interpreter, QStringLiteral("PRG"), prgLine);
    Interpreter *in = &interpreter;
    interpreter.setKindHandler(KindKeySequence, [in](Job &, SaleLine &sale) { in->send(sale.text); });
}

} // namespace merovan
