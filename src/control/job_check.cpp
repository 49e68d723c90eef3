#include "control/job_check.h"

#include "control/bridge.h"
#include "control/check_operator.h"
#include "control/dry_run_register.h"
#include "control/register_folder.h"
#include "core/main_window_model.h"
#include "core/progress.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "greek/cp1253.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_file.h"
#include "interpreter/keywords.h"
#include "interpreter/sale_numbers.h"
#include "interpreter/sale_steps.h"
#include "settings/vat_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace merovan {

namespace {

const QString kIndent = QStringLiteral("    ");

// A command or a line as the report shows it, from its Windows-1253 bytes:
// control bytes and the register's own letter codes (0x80 to 0x9F) written
// out as <8d>, so nothing invisible reaches the terminal; Greek letters
// stay letters.
QString visible(const QString &text)
{
    QString out;
    for (const char byte : toCp1253(text)) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            out += QStringLiteral("<%1>").arg(code, 2, 16, QLatin1Char('0'));
        else
            out += fromCp1253(QByteArray(1, byte));
    }
    return out;
}

QString quoted(const QString &text) { return QLatin1Char('"') + visible(text) + QLatin1Char('"'); }

QString onOff(SettingSwitch s)
{
    return s == SettingSwitch::On || s == SettingSwitch::OnInCapitals ? QStringLiteral("on") : QStringLiteral("off");
}

QString settingsSummary(const ParamSettings &s)
{
    const QString code = s.itemCode == ItemCodePrinting::AsNumber ? QStringLiteral("as a number")
                         : s.itemCode == ItemCodePrinting::AsText ? QStringLiteral("as text")
                                                                  : QStringLiteral("off");
    const QString model = s.registerType == RegisterType::Mikro        ? QStringLiteral("mikro")
                          : s.registerType == RegisterType::Poseidon21 ? QStringLiteral("pos21")
                                                                       : QStringLiteral("other");
    const QString currency = s.currency == CurrencyRule::Main        ? QStringLiteral("always type 1")
                             : s.currency == CurrencyRule::Secondary ? QStringLiteral("always type 2, first \"to\" only")
                             : s.currency == CurrencyRule::Third     ? QStringLiteral("always type 3")
                                                                     : QStringLiteral("as in the job");
    return QStringLiteral("comments %1, descriptions %2, item code %3, payments %4, register %5, "
                          "direct departments %6, locked keyboard %7, quantity in the description %8")
        .arg(onOff(s.comments), s.printDescription == SettingSwitch::Off ? QStringLiteral("off") : QStringLiteral("on"),
             code, currency, model, onOff(s.directDepartment), onOff(s.keyboardLocked),
             onOff(s.quantityInDescription));
}

QString rateList(const QString &vatFile)
{
    QStringList rates;
    for (int i = 0; i < 5; ++i)
        rates << QStringLiteral("%1 %2").arg(QChar(u'A' + i)).arg(readVatRate(vatFile, i), 0, 'f', 2);
    return rates.join(QStringLiteral(", "));
}

bool byPlace(const JobFinding &a, const JobFinding &b)
{
    return a.line != b.line ? a.line < b.line : a.column < b.column;
}

bool isHeaderLine(const QString &line)
{
    return line.contains(QStringLiteral("resFile:")) || line.contains(QStringLiteral("tag:"));
}

// One dry run, from the first line to the report's end.
class DryRun {
public:
    DryRun(JobCheck &check, const QString &job, const ParamSettings &settings, const QString &scratch,
           const QString &folder)
        : check_(check), job_(job), settings_(settings), scratch_(scratch), folder_(folder),
          connection_([this](TransportKind) {
              return std::make_unique<AcceptingTransport>(
                  clock_, [this](const QString &command) { note(QStringLiteral("sends ") + visible(command)); });
          }),
          op_(model_, [this](const QString &text) { note(QString(text).replace(scratch_, folder_)); }),
          log_(clock_, QDir(scratch).filePath(QStringLiteral("merovanLog.txt"))), link_(clock_, op_, log_, connection_),
          progress_(op_), interpreter_(link_, op_, clock_, log_, reply_, progress_)
    {
        connection_.connectionText = QStringLiteral("dry run");
        installKeywords(interpreter_);
        interpreter_.zReport = [this] { link_.sendCommand(Bridge::dailyZReportCommand()); };
        interpreter_.divertedResultFile = QDir(scratch).filePath(QStringLiteral("result"));
        interpreter_.lineSent = [this](int line) { lineDone(line); };
    }

    void run(const QStringList &lines)
    {
        lines_ = lines;
        interpreter_.runJob(job_, settings_);
        showStart();
        for (qsizetype i = shownLines_; i < lines_.size(); ++i) {
            check_.report << QStringLiteral("line %1: %2").arg(i + 1).arg(quoted(lines_[i]));
            check_.report << kIndent + QStringLiteral("not read: the job ended at line %1").arg(shownLines_);
        }
        check_.report << QStringLiteral("end of the job");
        flushEvents();
    }

private:
    void note(const QString &text)
    {
        // Until the first line is read, what happens belongs to the start.
        if (progress_.value() >= 1)
            showStart();
        events_ << kIndent + text;
    }

    void showStart()
    {
        if (startShown_)
            return;
        startShown_ = true;
        check_.report << QStringLiteral("start of the job");
        flushEvents();
    }

    void flushEvents()
    {
        check_.report << events_;
        events_.clear();
        QFile result(interpreter_.divertedResultFile);
        if (!result.open(QIODevice::ReadOnly) || !result.seek(resultRead_))
            return;
        const QByteArray bytes = result.readAll();
        resultRead_ += bytes.size();
        for (const QString &line : fromCp1253(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            check_.report << kIndent + QStringLiteral("result: ") + visible(line);
    }

    void lineDone(int number)
    {
        showStart();
        const QString &line = lines_[number - 1];
        check_.report << QStringLiteral("line %1: %2").arg(number).arg(quoted(line));
        describe(number, line);
        std::vector<JobFinding> here;
        std::copy_if(check_.findings.begin(), check_.findings.end(), std::back_inserter(here),
                     [number](const JobFinding &f) { return f.line == number; });
        std::stable_sort(here.begin(), here.end(), byPlace);
        for (const JobFinding &finding : here)
            check_.report << kIndent + QStringLiteral("! column %1: %2").arg(finding.column).arg(finding.text);
        flushEvents();
        shownLines_ = number;
    }

    void find(int line, int column, const QString &text) { check_.findings.push_back({line, column, text}); }

    void describe(int number, const QString &line)
    {
        if (line.trimmed().isEmpty()) {
            check_.report << kIndent + QStringLiteral("blank");
            return;
        }
        if (isHeaderLine(line)) {
            check_.report << kIndent + QStringLiteral("header line");
            return;
        }
        const QString word = interpreter_.keywordOf(line);
        if (word.isEmpty()) {
            check_.report << kIndent + QStringLiteral("no word matches: skipped");
            find(number, 2, whyNoWord(line));
            return;
        }
        const JobWordLayout *layout = jobWordLayout(word);
        check_.report << kIndent + QStringLiteral("%1: %2").arg(word, layout->meaning);
        if (!interpreter_.readsKeyword(word, settings_)) {
            check_.report << kIndent + QStringLiteral("skipped: comments are off");
            find(number, 2, QStringLiteral("\"%1\" lines are read only with [comments] true in param.ini; "
                                           "this one is skipped").arg(word));
            return;
        }
        for (const JobField &field : layout->fields) {
            QString shown = kIndent + kIndent + QStringLiteral("%1: %2").arg(field.name, quoted(fieldText(line, field.span).trimmed()));
            if (field.span.from == fields::pluRate.from && word == QStringLiteral("PLU"))
                shown += itemCategoryText(number, line);
            check_.report << shown;
        }
        for (const JobFinding &finding : fieldFindings(number, line, *layout))
            check_.findings.push_back(finding);
    }

    // The category an item goes to, and a finding when there is none.
    QString itemCategoryText(int number, const QString &line)
    {
        const QChar separator = clock_.decimalSeparator();
        const QString quantity = normaliseNumber(fieldText(line, fields::pluQuantity).trimmed(), 3, separator);
        if (!isLocaleNumber(quantity, separator))
            return {};
        const QString category = itemCategory(line, settings_, separator);
        if (!category.isEmpty())
            return QStringLiteral(" -> VAT category ") + category;
        find(number, fields::pluRate.from,
             QStringLiteral("VAT rate %1 is in no category of %2 in %3 (%4): the item is not sold")
                 .arg(quoted(fieldText(line, fields::pluRate).trimmed()), kVatRatesFile, folder_, rateList(kVatRatesFile)));
        return QStringLiteral(" -> no VAT category");
    }

    QString whyNoWord(const QString &line) const
    {
        const QString inAnyCase = interpreter_.keywordInAnyCase(line);
        if (!inAnyCase.isEmpty())
        {
            QStringList spellings = interpreter_.spellingsOf(inAnyCase);
            for (QString &spelling : spellings)
                spelling = quoted(spelling);
            return QStringLiteral("no word matches %1: it is written %2")
                .arg(quoted(line.mid(1, inAnyCase.size())), spellings.join(QStringLiteral(" or ")));
        }
        const QString shifted = interpreter_.keywordInAnyCase(QLatin1Char(' ') + line);
        if (!shifted.isEmpty())
            return QStringLiteral("no word matches: the word \"%1\" stands in column 1; "
                                  "column 1 is left free and the word starts in column 2")
                .arg(shifted);
        return QStringLiteral("no word matches this line: it is skipped");
    }

    JobCheck &check_;
    QString job_;
    ParamSettings settings_;
    QString scratch_;
    QString folder_;
    DryRunClock clock_;
    MainWindowModel model_;
    Connection connection_;
    CheckOperator op_;
    DebugLog log_;
    RegisterLink link_;
    QString reply_;
    JobProgress progress_;
    Interpreter interpreter_;
    QStringList lines_;
    QStringList events_;
    qint64 resultRead_ = 0;
    qsizetype shownLines_ = 0;
    bool startShown_ = false;
};

// The settings the job would run under, and a line saying where they came
// from.
ParamSettings settingsIn(const QString &folder, QStringList &report)
{
    ParamReading reading;
    if (readParamFile(QDir(folder).filePath(kParamFile), ParamReader::PollingTick, reading)) {
        report << QStringLiteral("settings: %1 in %2").arg(kParamFile, folder);
    } else {
        readParamLines(paramFileLines(exampleSettings(QString()), QDate::currentDate()), ParamReader::PollingTick,
                       reading);
        report << QStringLiteral("settings: no %1 in %2; read with the example settings").arg(kParamFile, folder);
    }
    report << kIndent + settingsSummary(reading.settings);
    return reading.settings;
}

} // namespace

int JobCheck::exitStatus() const { return !readable ? 4 : findings.empty() ? 0 : 1; }

JobCheck checkJob(const QString &jobPath)
{
    JobCheck check;
    const QString folder = QDir::currentPath();
    const QString job = QFileInfo(jobPath).absoluteFilePath();
    QString whyNot;
    const auto text = readJobFile(job, whyNot);
    QFile file(job);
    if (!text || !file.open(QIODevice::ReadOnly)) {
        check.readable = false;
        check.findings.push_back({0, 0, QStringLiteral("%1: %2").arg(whyNot.isEmpty() ? file.errorString() : whyNot, job)});
        return check;
    }
    const QByteArray bytes = file.readAll();
    check.report << QStringLiteral("job: %1 (%2 bytes, %3 lines)").arg(job).arg(bytes.size()).arg(text->lines.size());
    const ParamSettings settings = settingsIn(folder, check.report);

    // The run works in a scratch folder, with copies of the data files.
    QTemporaryDir scratch;
    for (const QString &name : {kVatRatesFile, kPaymentTypesFile}) {
        const QString original = QDir(folder).filePath(name);
        if (QFileInfo::exists(original) && !QFile::copy(original, scratch.filePath(name)))
            check.findings.push_back({0, 0, QStringLiteral("%1 in %2 cannot be read").arg(name, folder)});
    }
    if (!QFileInfo::exists(scratch.filePath(kVatRatesFile)))
        check.findings.push_back({0, 0, QStringLiteral("no %1 in %2: no VAT rate matches a category").arg(kVatRatesFile, folder)});
    else
        check.report << QStringLiteral("%1: %2").arg(kVatRatesFile, rateList(QDir(folder).filePath(kVatRatesFile)));
    const JobHeader header = readJobHeader(text->text);
    check.report << QStringLiteral("result file: %1, tag: %2 (the dry run writes no result file)")
                        .arg(header.resultFile, header.tag);
    for (const JobFinding &finding : encodingFindings(bytes))
        check.findings.push_back(finding);

    QDir::setCurrent(scratch.path());
    DryRun(check, job, settings, scratch.path(), folder).run(text->lines);
    QDir::setCurrent(folder);

    std::stable_sort(check.findings.begin(), check.findings.end(), byPlace);
    return check;
}

int runJobCheck(const QString &jobPath)
{
    const JobCheck check = checkJob(jobPath);
    QStringList out = check.report;
    if (!check.report.isEmpty())
        out << QString();
    for (const JobFinding &f : check.findings) {
        const QString place = f.line == 0 ? jobPath : QStringLiteral("%1:%2:%3").arg(jobPath).arg(f.line).arg(f.column);
        out << place + QStringLiteral(": ") + f.text;
    }
    if (check.readable)
        out << (check.findings.empty()       ? QStringLiteral("Nothing to point out.")
                : check.findings.size() == 1 ? QStringLiteral("1 thing to point out.")
                                             : QStringLiteral("%1 things to point out.").arg(check.findings.size()));
    std::fputs((out.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8().constData(), stdout);
    return check.exitStatus();
}

} // namespace merovan
