#include "interpreter/interpreter.h"

#include "core/progress.h"
#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/numeric_text.h"
#include "core/operator.h"
#include "device/register_link.h"

#include <algorithm>
#include <limits>

namespace merovan {

namespace {

constexpr int kMaxCount = std::numeric_limits<qint16>::max();

} // namespace

struct Interpreter::Keyword {
    QString word;
    KeywordCase rule;
    bool onlyWithComments;
    Handler handler;
};

Interpreter::Interpreter(RegisterLink &link, Operator &op, Clock &clock, DebugLog &log, QString &replyText,
                         JobProgress &progress)
    : link_(link), op_(op), clock_(clock), log_(log), reply_(replyText), progress_(progress)
{
    // The order in which every line is tested.
    const auto any = KeywordCase::AnyCase;
    const auto lower = KeywordCase::LowerCase;
    const auto both = KeywordCase::UpperOrLower;
    keywords_ = {
        {QStringLiteral("MKZ"), any, false, {}},  {QStringLiteral("PLU"), any, false, {}},
        {QStringLiteral("dis"), lower, false, {}}, {QStringLiteral("sut"), lower, false, {}},
        {QStringLiteral("mod"), lower, false, {}}, {QStringLiteral("to"), lower, false, {}},
        {QStringLiteral("com"), lower, true, {}},  {QStringLiteral("frt"), lower, true, {}},
        {QStringLiteral("can"), lower, true, {}},  {QStringLiteral("voi"), lower, true, {}},
        {QStringLiteral("ltb"), lower, true, {}},  {QStringLiteral("foo"), lower, true, {}},
        {QStringLiteral("TBO"), both, false, {}},  {QStringLiteral("TBC"), both, false, {}},
        {QStringLiteral("TBT"), both, false, {}},  {QStringLiteral("TPT"), both, false, {}},
        {QStringLiteral("TBS"), both, false, {}},  {QStringLiteral("TBE"), both, false, {}},
        {QStringLiteral("exit"), any, false, {}},  {QStringLiteral("PRG"), both, false, {}},
        {QStringLiteral("snd"), lower, false, {}}, {QStringLiteral("pay"), any, false, {}},
        {QStringLiteral("sin"), any, false, {}},   {QStringLiteral("inv"), any, false, {}},
        {QStringLiteral("ver"), any, false, {}},   {QStringLiteral("rpt"), any, false, {}},
    };
    setHandler(QStringLiteral("MKZ"), [this](Job &, const QString &) {
        if (zReport)
            zReport();
        return LineEnd::Next;
    });
    setHandler(QStringLiteral("exit"), [](Job &, const QString &) { return LineEnd::EndJob; });
}

Interpreter::~Interpreter() = default;

void Interpreter::setHandler(const QString &keyword, Handler handler)
{
    for (Keyword &k : keywords_) {
        if (k.word == keyword)
            k.handler = std::move(handler);
    }
}

void Interpreter::setKindHandler(int kind, KindHandler handler) { kinds_.emplace_back(kind, std::move(handler)); }

const Interpreter::Keyword *Interpreter::keyword(const QString &word) const
{
    for (const Keyword &k : keywords_) {
        if (k.word == word)
            return &k;
    }
    return nullptr;
}

QString Interpreter::keywordOf(const QString &line) const
{
    for (const Keyword &k : keywords_) {
        if (keywordMatches(line, k.word, k.rule))
            return k.word;
    }
    return {};
}

QString Interpreter::keywordInAnyCase(const QString &line) const
{
    for (const Keyword &k : keywords_) {
        if (keywordMatches(line, k.word, KeywordCase::AnyCase))
            return k.word;
    }
    return {};
}

QStringList Interpreter::spellingsOf(const QString &word) const
{
    const Keyword *k = keyword(word);
    if (!k)
        return {};
    switch (k->rule) {
    case KeywordCase::AnyCase:
        return {word};
    case KeywordCase::LowerCase:
        return {word.toLower()};
    case KeywordCase::UpperOrLower:
        return {word.toUpper(), word.toLower()};
    }
    return {};
}

bool Interpreter::readsKeyword(const QString &word, const ParamSettings &settings) const
{
    const Keyword *k = keyword(word);
    return k && (!k->onlyWithComments || commentsOn(settings.comments));
}

CommandResult Interpreter::send(const QString &command, bool silent, int asyncSeconds, const QString &resultFile,
                                int extraTimeout)
{
    return send(command, {.silent = silent,
                          .asyncSeconds = asyncSeconds,
                          .resultFile = resultFile,
                          .extraTimeout = extraTimeout});
}

CommandResult Interpreter::send(const QString &command, CommandOptions options)
{
    options.previousText = reply_;
    const CommandResult result = link_.sendCommand(command, options);
    reply_ = result.text;
    return result;
}

void Interpreter::appendResult(const QString &line) { link_.appendResult(line); }

QString Interpreter::resultStamp() const { return merovan::resultStamp(clock_.now()); }

QString Interpreter::receiptCounters()
{
    const QString failed = QStringLiteral("-1, -1, -1");
    const CommandResult counters = link_.sendCommand(QStringLiteral("KXRE"));
    if (!counters.accepted())
        return failed;
    const QString &reply = counters.text;
    const QStringList fields = reply.split(QLatin1Char(':'));
    const auto field = [&fields](int i) { return i < fields.size() ? fields[i].left(5).trimmed() : QString(); };
    const QString first = field(1);
    QString third = field(3);
    if (!isNumeric(third))
        third = QStringLiteral("-1");
    return isNumeric(first) ? QStringList{first, field(2), third}.join(QStringLiteral(", ")) : failed;
}

bool Interpreter::stoppingNow() const { return link_.stops().stopNow(); }

JobOutcome Interpreter::runJob(const QString &file, const ParamSettings &settings)
{
    Job job;
    job.file = file;
    job.settings = settings;

    QString whyNot;
    const auto text = readJobFile(file, whyNot);
    if (!text) {
        // It is not run, but the host learns why: in the result file its
        // header names when that much can be read, else in the default one.
        const JobHeader header = readJobHeaderOnly(file);
        link_.beginJobResult(divertedResultFile.isEmpty() ? header.resultFile : divertedResultFile);
        appendResult(QStringLiteral("tag = ") + header.tag);
        appendResult(QStringLiteral("Err = -98, [%1: %2] DateTime = %3").arg(whyNot, file, resultStamp()));
        appendResult(QStringLiteral("exitcode = 1"));
        PlainMessage(op_, QStringLiteral("Η εργασία %1 δεν εκτελέστηκε (%2). Φυλάχτηκε με την κατάληξη .rejected.")
                              .arg(file, whyNot),
                     MsgExclamation);
        return JobOutcome::Rejected;
    }
    if (!start(file, *text))
        return JobOutcome::NotStarted;
    // A second stop request ends the job at the next command boundary: no
    // command goes out after it, and the host reads where the job stopped.
    const auto interruptedAt = [&](qsizetype line) {
        appendResult(QStringLiteral("Err = %1, [interrupted at line %2 of %3] DateTime = %4")
                         .arg(RegisterLink::kStoppedCode)
                         .arg(line)
                         .arg(text->lines.size())
                         .arg(resultStamp()));
        job.exitCode = 1;
    };
    bool interrupted = false;
    for (qsizetype i = 0; i < text->lines.size(); ++i) {
        if (stoppingNow()) {
            interruptedAt(i);
            interrupted = true;
            break;
        }
        const QString &line = text->lines[i];
        job.sale.price.clear();
        job.sale.discount.clear();
        job.sale.surcharge.clear();
        job.sale.discountPercent.clear();
        job.sale.surchargePercent.clear();
        job.sale.category.clear();
        // A 16-bit count, held at its limit for a job of more lines.
        progress_.setValue(static_cast<qint16>(std::min<int>(progress_.value() + 1, kMaxCount)));
        const LineEnd end = dispatch(job, line);
        if (lineSent)
            lineSent(int(i + 1));
        if (stoppingNow()) {
            interruptedAt(i + 1);
            interrupted = true;
            break;
        }
        if (end == LineEnd::Next)
            continue;
        if (end == LineEnd::WrongTable) {
            appendResult(QStringLiteral("Err = -255, (Wrong Table Number) DateTime end = ") + resultStamp());
            showMessage(op_, QStringLiteral("Λάθος Αριθμός Τραπεζιού"), MsgInformation);
        }
        if (end != LineEnd::EndJob)
            job.exitCode = 1;
        break;
    }
    finish(job);
    return interrupted ? JobOutcome::Interrupted : JobOutcome::Ran;
}

bool Interpreter::start(const QString &path, const JobText &text)
{
    const JobHeader header = readJobHeader(text.text);
    const QString started = resultStamp();
    if (jobStarting && !jobStarting(path, text, header, started))
        return false;
    link_.beginJobResult(divertedResultFile.isEmpty() ? header.resultFile : divertedResultFile);
    progress_.setMaximum(static_cast<qint16>(std::min<qsizetype>(text.lines.size(), kMaxCount)));
    appendResult(QStringLiteral("tag = ") + header.tag);
    appendResult(QStringLiteral("DateTime start = ") + started);
    state.zeroPaymentAllowed = true;
    // Whatever stands in the register's keyboard buffer goes first.
    for (int i = 0; i < 2; ++i)
        send(QStringLiteral("KXCL"), true);
    return true;
}

LineEnd Interpreter::dispatch(Job &job, const QString &line)
{
    // No two keywords share their letters, so a line matches one at most.
    const QString word = keywordOf(line);
    if (word.isEmpty() || !readsKeyword(word, job.settings))
        return LineEnd::Next;
    const Keyword *k = keyword(word);
    return k->handler ? k->handler(job, line) : LineEnd::Next;
}

void Interpreter::sendSaleLine(Job &job, SaleLine &sale)
{
    op_.mainWindow().setStatus(QStringLiteral("Εκτυπωση Ενεργή.. Παρακαλώ Περιμένετε"));
    op_.mainWindow().setCaption(QStringLiteral("Merovan - Eκτυπώνει"));
    for (auto &[kind, handler] : kinds_) {
        if (kind == sale.kind) {
            handler(job, sale);
            return;
        }
    }
}

void Interpreter::finish(Job &job)
{
    state.tableTransferMode = false;
    state.partialPaymentMode = false;
    clock_.pause(250);
    if (link_.readRegisterStatus() == 0)
        state.currentCard.clearTerminal();
    if (state.cardFallbackUsed && cardFailureWarning && !stoppingNow())
        cardFailureWarning(job);
    appendResult(QStringLiteral("DateTime end = ") + resultStamp());

    QString amount;
    if (isNumeric(job.tableNumber.trimmed()) && tableAmount)
        amount = tableAmount(job.tableNumber);
    // An empty amount reads as zero: nothing is left on the table.
    const bool holdsAmount = leadingNumber(amount) != 0.0;
    appendResult(QStringLiteral("recStatus = %1;%2").arg(holdsAmount ? 1 : 0).arg(amount));

    const QString counters = receiptCounters();
    appendResult(QStringLiteral("receipt = %1, %2").arg(counters).arg(job.tableReceipt));
    appendResult(QStringLiteral("exitcode = %1").arg(job.exitCode));
    op_.mainWindow().setLabel(WindowControl::ReceiptLabel, counters.section(QLatin1Char(','), 1, 1));

    if (state.footerPending && printFooter && !stoppingNow())
        printFooter(job);
    state.footerPending = false;
}

} // namespace merovan
