#include "control/job_findings.h"

#include "core/numeric_text.h"

#include <QRegularExpression>

namespace merovan {

namespace {

// The length of the UTF-8 sequence that starts at `at`, or 0 when none
// does there.
int utf8SequenceAt(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    const int length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                                      : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (qsizetype i = at + 1; i < at + length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// Where the first UTF-8 sequence of a line stands (a column from 1), when
// every byte above 127 belongs to one; 0 otherwise. Greek in Windows-1253
// almost never passes: two capitals in a row already break the pattern.
int utf8Column(const QByteArray &line)
{
    int first = 0;
    for (qsizetype i = 0; i < line.size();) {
        if (static_cast<unsigned char>(line[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceAt(line, i);
        if (length == 0)
            return 0;
        if (first == 0)
            first = int(i) + 1;
        i += length;
    }
    return first;
}

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString fieldName(const JobField &field)
{
    const FieldSpan &span = field.span;
    const QString columns = span.length > 0 ? QStringLiteral("columns %1-%2").arg(span.from).arg(span.from + span.length - 1)
                                            : QStringLiteral("from column %1").arg(span.from);
    return QStringLiteral("%1 (%2)").arg(field.name, columns);
}

bool isAmount(const QString &value)
{
    static const QRegularExpression amount(QStringLiteral("^-?[0-9]+[.,][0-9]{2}$"));
    return amount.match(value).hasMatch();
}

bool isWhole(const QString &value)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    return whole.match(value).hasMatch();
}

// What is wrong with a field's trimmed value; empty when nothing.
QString problemWith(const QString &value, FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return {};
    case FieldKind::Number: {
        const QString withPoint = QString(value).replace(QLatin1Char(','), QLatin1Char('.'));
        return isNumeric(withPoint) ? QString() : QStringLiteral("is not a number");
    }
    case FieldKind::Whole:
        return isWhole(value) ? QString() : QStringLiteral("is not a whole number");
    case FieldKind::AmountOrPercent:
    case FieldKind::Amount: {
        QString amount = value;
        if (kind == FieldKind::AmountOrPercent && amount.endsWith(QLatin1Char('%')))
            amount.chop(1);
        if (isAmount(amount))
            return {};
        if (isWhole(amount))
            return QStringLiteral("has no decimals: the register takes it as %1 hundredths").arg(amount);
        return QStringLiteral("is not an amount with two decimals");
    }
    }
    return {};
}

} // namespace

std::vector<JobFinding> encodingFindings(const QByteArray &bytes)
{
    std::vector<JobFinding> found;
    const QList<QByteArray> lines = bytes.split('\n');
    // Lines as the bridge counts them: a LF without CR does not end one.
    int lineNumber = 1;
    int column = 1;
    QByteArray line;
    const auto endLine = [&] {
        if (const int at = utf8Column(line)) {
            const QString text = QString::fromUtf8(line.mid(at - 1)).left(24).trimmed();
            const QString what = line.mid(at - 1).startsWith("\xEF\xBB\xBF")
                                     ? QStringLiteral("a UTF-8 byte order mark")
                                     : QStringLiteral("text that looks like UTF-8 (%1)").arg(quoted(text));
            found.push_back({lineNumber, at, what + QStringLiteral(": write the job file in Windows-1253")});
        }
        line.clear();
        ++lineNumber;
        column = 1;
    };
    bool loneLineFeedTold = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &piece = lines[i];
        const bool last = i + 1 == lines.size();
        if (last) {
            line += piece;
            break;
        }
        if (piece.endsWith('\r')) {
            line += piece.chopped(1);
            endLine();
            continue;
        }
        if (!loneLineFeedTold) {
            found.push_back({lineNumber, column + int(piece.size()),
                             QStringLiteral("a line ends in LF without CR: the bridge reads on to the next CR LF "
                                            "as one line; end every line with CR LF")});
            loneLineFeedTold = true;
        }
        line += piece + '\n';
        column += int(piece.size()) + 1;
    }
    if (!line.isEmpty())
        endLine();
    return found;
}

std::vector<JobFinding> fieldFindings(int lineNumber, const QString &line, const JobWordLayout &layout)
{
    std::vector<JobFinding> found;
    for (const JobField &field : layout.fields) {
        const QString value = fieldText(line, field.span).trimmed();
        if (value.isEmpty()) {
            if (!field.mayBeBlank)
                found.push_back({lineNumber, field.span.from, fieldName(field) + QStringLiteral(" is blank")});
            continue;
        }
        if (const QString problem = problemWith(value, field.kind); !problem.isEmpty())
            found.push_back(
                {lineNumber, field.span.from, QStringLiteral("%1 %2 %3").arg(fieldName(field), quoted(value), problem)});
    }
    return found;
}

} // namespace merovan
