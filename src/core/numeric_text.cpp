#include "core/numeric_text.h"

namespace merovan {

namespace {

// Length of the number at the start of text (after blanks), 0 when none.
qsizetype numberPrefix(const QString &text, qsizetype from)
{
    qsizetype i = from;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    return digits > 0 ? i - from : 0;
}

qsizetype skipBlanks(const QString &text, qsizetype from)
{
    while (from < text.size() && text[from].isSpace())
        ++from;
    return from;
}

} // namespace

double leadingNumber(const QString &text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberPrefix(text, start);
    return length > 0 ? text.mid(start, length).toDouble() : 0.0;
}

bool isNumeric(const QString &text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberPrefix(text, start);
    return length > 0 && skipBlanks(text, start + length) == text.size();
}

} // namespace merovan
