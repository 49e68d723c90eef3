#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/sale_steps.h"
#include "interpreter/sale_texts.h"

namespace merovan {

namespace {

constexpr int kCommentWidth = 28;
constexpr int kFooterPiecesPerLine = 6;
// The footer is padded with blank comment lines up to this many lines.
constexpr int kFooterLines = 8;

const QString kComment = QStringLiteral("KXCO ");

} // namespace

LineEnd comLine(Interpreter &interpreter, Job &, const QString &line)
{
    interpreter.send(kComment + commentText(fieldText(line, fields::comText)).left(kCommentWidth));
    return LineEnd::Next;
}

LineEnd frtLine(Interpreter &interpreter, Job &, const QString &)
{
    for (int i = 0; i < 3; ++i)
        interpreter.send(kComment);
    return LineEnd::Next;
}

LineEnd fooLine(Interpreter &interpreter, Job &job, const QString &line)
{
    const QString text = footerText(fieldText(line, fields::fooText));
    for (int piece = 0; piece < kFooterPiecesPerLine; ++piece) {
        const QString entry = text.mid(piece * kCommentWidth, kCommentWidth);
        if (!entry.isEmpty())
            job.footer << entry;
    }
    interpreter.state.footerPending = true;
    return LineEnd::Next;
}

void printFooter(Interpreter &interpreter, const Job &job)
{
    int sent = 0;
    for (const QString &entry : job.footer) {
        if (entry.trimmed().isEmpty())
            continue;
        if (sent == 0)
            interpreter.send(kComment + QString(kCommentWidth, QLatin1Char('-')), true);
        // The entry carries its own line end; the transport adds none then.
        interpreter.send(kComment + entry + QStringLiteral("\r\n"));
        ++sent;
    }
    for (int i = sent; sent > 0 && i < kFooterLines; ++i)
        interpreter.send(kComment);
}

} // namespace merovan
