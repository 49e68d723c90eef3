#include "paper_layout.h"

#include "money.h"

#include "greek/cp1253.h"
#include "greek/greek_tables.h"

#include <QHash>

namespace merovan::sim {

namespace {

// Register-set character (as its Windows-1253 character) to the Greek
// capital it prints, for the capitals that have no Latin look-alike.
const QHash<QChar, QChar> &registerCapitals()
{
    static const QHash<QChar, QChar> capitals = [] {
        QHash<QChar, QChar> map;
        const ByteTable &table = windowsToRegisterTable();
        for (char16_t letter = u'Α'; letter <= u'Ω'; ++letter) {
            const int windowsByte = cp1253Byte(QChar(letter));
            if (windowsByte < 0)
                continue; // the gap between Ρ and Σ
            const unsigned char registerByte = table[static_cast<unsigned char>(windowsByte)];
            if (registerByte < 'A' || registerByte > 'Z')
                map.insert(cp1253Char(registerByte), QChar(letter));
        }
        return map;
    }();
    return capitals;
}

} // namespace

QString paperColumns(const QString &label, const QString &value)
{
    if (value.isEmpty())
        return label;
    const int room = kPaperWidth - static_cast<int>(value.size()) - 1;
    const QString left = label.left(room);
    return left + QString(kPaperWidth - left.size() - value.size(), QLatin1Char(' ')) + value;
}

QString paperAmountLine(const QString &label, qint64 amount, const QString &tag)
{
    return paperColumns(label, tag.rightJustified(2) + formatAmount(amount).rightJustified(12));
}

QString paperRule(QChar c)
{
    return QString(kPaperWidth, c);
}

QString printedText(const QString &registerText)
{
    QString printed = registerText;
    for (QChar &c : printed)
        c = registerCapitals().value(c, c);
    return printed;
}

} // namespace merovan::sim
