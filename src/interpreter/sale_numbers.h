#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace merovan {

// Numbers of sale lines. Job files write decimals with "," or "."; inside
// the interpreter they carry the locale's separator (the clock seam's), and
// their values are read back from that separator, never from the machine's
// locale, so a job gives the same commands on every desktop.

// Number normalisation: a text without "," and "." gets the separator and
// `decimals` zeros ("2" -> "2,000" for three); otherwise every "," and "."
// becomes the separator.
QString normaliseNumber(const QString &text, int decimals, QChar separator);

// Whether a normalised text is a number, and its value (0 when it does not
// begin with one).
bool isLocaleNumber(const QString &text, QChar separator);
double localeValue(const QString &text, QChar separator);

// A normalised price times 100 as a whole number: "1,50" -> "150",
// "0,29" -> "29", "-1,50" -> "-150".
QString hundredths(const QString &price, QChar separator);

// stripNumberPunctuation: removes every ".", "," and blank from price (unless it is empty or
// "0"), discount and surcharge (unless empty), keeping a sign; price is left
// holding the trimmed text of the last of discount and surcharge processed.
void stripNumberPunctuation(QString &price, QString &discount, QString &surcharge);

// The text lead rule: the text trimmed, with a blank in front when it
// begins with a digit, so the register does not read those digits as part
// of the amount or category before them.
QString textLead(const QString &text);

// The quantity command for an item ("KX2.000* ", "KX0.5* "), or nothing
// when none is needed: a quantity of one, a negative integer part or a
// decimal part that is not a number. A quantity of more than three
// characters without a separator is read as thousandths.
std::optional<QString> quantityCommand(const QString &quantity, QChar separator);

} // namespace merovan
