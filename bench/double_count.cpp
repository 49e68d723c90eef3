#include "double_count.h"

#include <QHash>
#include <QRegularExpression>

namespace merovan::bench {

QString itemText(int receipt, int item)
{
    return QStringLiteral("R%1I%2").arg(receipt, 4, 10, QLatin1Char('0')).arg(item, 2, 10, QLatin1Char('0'));
}

namespace {

// One receipt on the paper roll, by the receipt number its items carry:
// how often each item, the subtotal and the payments were printed.
struct Printed {
    QHash<QString, int> items;
    int subtotals = 0;
    int payments = 0;
};

QHash<int, Printed> readPaper(const QStringList &paper)
{
    static const QRegularExpression item(QStringLiteral("^(R(\\d{4})I\\d{2}) "));
    QHash<int, Printed> receipts;
    QList<QString> lines; // of the receipt being read
    const auto close = [&] {
        int number = -1;
        for (const QString &line : lines) {
            if (const auto match = item.match(line); match.hasMatch())
                number = match.captured(2).toInt();
        }
        if (number < 0)
            return;
        Printed &printed = receipts[number];
        for (const QString &line : lines) {
            if (const auto match = item.match(line); match.hasMatch())
                ++printed.items[match.captured(1)];
            printed.subtotals += line.startsWith(QStringLiteral("ΥΠΟΣΥΝΟΛΟ")) ? 1 : 0;
            printed.payments += line.startsWith(QStringLiteral("ΠΛΗΡΩΜΗ")) ? 1 : 0;
        }
    };
    for (const QString &line : paper) {
        if (line.startsWith(QStringLiteral("ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ"))) {
            close();
            lines.clear();
        }
        lines << line;
    }
    close();
    return receipts;
}

} // namespace

DoubleCount countDoubles(const QStringList &paper, const QStringList &result, int receipts, const QStringList &leftOut)
{
    static const QRegularExpression tag(QStringLiteral("^tag = R(\\d{4})$"));
    static const QRegularExpression warning(
        QStringLiteral("^Err = -96, \\[(.*) sent again after no answer; the register may hold it twice\\]"));
    static const QRegularExpression error(QStringLiteral("^Err = -?\\d+, \\[(.*)\\] DateTime"));
    const QHash<int, Printed> printed = readPaper(paper);

    DoubleCount count;
    QHash<int, QStringList> warnedCommands, failedCommands;
    int block = -1;
    for (const QString &line : result) {
        if (const auto match = tag.match(line); match.hasMatch())
            block = match.captured(1).toInt();
        else if (const auto match = warning.match(line); match.hasMatch())
            warnedCommands[block] << match.captured(1);
        else if (const auto match = error.match(line); match.hasMatch())
            failedCommands[block] << match.captured(1);
    }

    for (int receipt = 1; receipt <= receipts; ++receipt) {
        if (leftOut.contains(QString::number(receipt)))
            continue;
        const Printed paperOf = printed.value(receipt);
        const QString warned = warnedCommands.value(receipt).join(u'|');
        const QString failed = failedCommands.value(receipt).join(u'|');
        for (int i = 1; i <= 10; ++i) {
            const QString text = itemText(receipt, i);
            const int times = paperOf.items.value(text);
            ++count.items;
            if (times > 1) {
                ++count.doubled;
                ++(warned.contains(text) ? count.warned : count.silent);
            } else if (times == 0) {
                ++count.missing;
                count.missingWithErr += failed.contains(text) ? 1 : 0;
            }
        }
        for (const QString &command : warnedCommands.value(receipt)) {
            ++count.warnings;
            const QString item = command.right(8);
            const bool twice = command == QStringLiteral("KXST") ? paperOf.subtotals > 1
                             : command.startsWith(QStringLiteral("KXT")) ? paperOf.payments > 1
                                                                        : paperOf.items.value(item) > 1;
            count.falseWarnings += twice ? 0 : 1;
        }
        count.otherErrors += int(failedCommands.value(receipt).size());
    }
    return count;
}

} // namespace merovan::bench
