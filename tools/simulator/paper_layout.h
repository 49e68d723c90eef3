#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan::sim {

// The paper roll is 40 characters wide.
inline constexpr int kPaperWidth = 40;

// label on the left, value flush right; a long label is cut so the value
// fits. No value: the label alone.
QString paperColumns(const QString &label, const QString &value);

// An amount line: amounts end at the right edge; the tag (an item's VAT
// category) stands in a column of its own before them.
QString paperAmountLine(const QString &label, qint64 amount, const QString &tag = {});

// A full-width line of one character, between documents.
QString paperRule(QChar c);

// Register text as the register prints it. The bridge sends Greek capitals
// that look Latin as Latin letters and the others as codes of the register's
// own set (0x85..0x8D, and 0x66 for Σ); those codes become the Greek
// capitals again. Everything else prints as its Windows-1253 character.
QString printedText(const QString &registerText);

} // namespace merovan::sim
