#include "register_model.h"

#include "money.h"
#include "paper_layout.h"

#include <QStringList>

namespace merovan::sim {

namespace {

QString tableTitle(int number) { return QStringLiteral("ΤΡΑΠΕΖΙ %1").arg(number); }

QString itemLabel(const NamedItem &item)
{
    const QString text = printedText(item.text);
    return text.isEmpty() ? QStringLiteral("ΤΜΗΜΑ ") + item.category : text;
}

} // namespace

void RegisterModel::addTableRows()
{
    addRow(QStringLiteral("KX(\\d{1,4})TO(.*)"), &RegisterModel::openTable);
    addRow(QStringLiteral("KXTO"), &RegisterModel::parkTable);
    addRow(QStringLiteral("KX\\?TO"), &RegisterModel::reportOpenTable);
    addRow(QStringLiteral("KXREP(\\d{1,4})TBL"), &RegisterModel::reportTableAmount);
    addRow(QStringLiteral("KXREPTBL"), &RegisterModel::reportOpenTables);
    addRow(QStringLiteral("KX99(\\d{4})OTR"), &RegisterModel::tableReport);
    addRow(QStringLiteral("KXTRF"), &RegisterModel::transferKey);
    addRow(QStringLiteral("KXFROM(\\d{1,4})TO(\\d{1,4})(PAR)?"), &RegisterModel::moveTable);
    addRow(QStringLiteral("KXPPAY"), &RegisterModel::partialPaymentKey);
    addRow(QStringLiteral("KXFROM(\\d{1,4})"), &RegisterModel::billPartOfTable);
    addRow(QStringLiteral("KXPA(\\d{1,9})R([1-9]\\d?)(.*)"), &RegisterModel::nameTableItem);
    addRow(QStringLiteral("KXTRFOK"), &RegisterModel::confirmTableItem);
    addRow(QStringLiteral("KXTRFNO"), &RegisterModel::endTableItems);
}

// Recalls a table (a new one starts empty): its bill becomes the open
// receipt, and the items that follow go onto it.
Reply RegisterModel::openTable(const QStringList &captures)
{
    const int number = captures[0].toInt();
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    if (number < 1 || tables_.move || tables_.transferKey || tables_.paymentKey)
        return Reply::error(code::kWrongOperation);
    Table &table = tables_.tables[number];
    if (!captures[1].isEmpty())
        table.text = captures[1];
    receipt_ = Receipt{};
    receipt_->number = counters_.lastReceipt + 1;
    receipt_->total = table.amount;
    tables_.billOf = number;
    tables_.partBill = false;
    return Reply::ok({paperColumns(tableTitle(number), printedText(table.text))});
}

// Puts the open table back with what its bill now holds; an empty table
// is gone.
Reply RegisterModel::parkTable(const QStringList &)
{
    if (!receipt_ || tables_.billOf == 0 || tables_.partBill || receipt_->paying)
        return Reply::error(code::kWrongOperation);
    const int number = tables_.billOf;
    const qint64 amount = receipt_->total;
    if (amount == 0)
        tables_.tables.remove(number);
    else
        tables_.tables[number].amount = amount;
    receipt_.reset();
    tables_.billOf = 0;
    resetKeyboard();
    return Reply::ok({paperAmountLine(tableTitle(number), amount), paperRule(QLatin1Char('-'))});
}

Reply RegisterModel::reportOpenTable(const QStringList &)
{
    return {QStringLiteral("TO:%1").arg(tables_.openTable()), {}};
}

Reply RegisterModel::reportTableAmount(const QStringList &captures)
{
    const int number = captures[0].toInt();
    const bool billed = number == tables_.billOf && !tables_.partBill;
    const qint64 amount = billed ? receipt_->total : tables_.tables.value(number).amount;
    return {QStringLiteral("TBL:%1:%2").arg(number).arg(amount), {}};
}

Reply RegisterModel::reportOpenTables(const QStringList &)
{
    QStringList numbers;
    for (auto it = tables_.tables.cbegin(); it != tables_.tables.cend(); ++it)
        numbers << QString::number(it.key());
    return {QStringLiteral("TBL:") + numbers.join(QStringLiteral(", ")), {}};
}

// Table 0000 is every table.
Reply RegisterModel::tableReport(const QStringList &captures)
{
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    const int number = captures[0].toInt();
    QStringList paper{number == 0 ? QStringLiteral("ΑΝΑΦΟΡΑ ΤΡΑΠΕΖΙΩΝ") : QStringLiteral("ΑΝΑΦΟΡΑ ") + tableTitle(number)};
    qint64 total = 0;
    for (auto it = tables_.tables.cbegin(); it != tables_.tables.cend(); ++it) {
        if (number != 0 && it.key() != number)
            continue;
        paper << paperAmountLine((tableTitle(it.key()) + QLatin1Char(' ') + printedText(it->text)).trimmed(),
                                 it->amount);
        total += it->amount;
    }
    paper << paperAmountLine(QStringLiteral("ΣΥΝΟΛΟ"), total) << paperRule(QLatin1Char('='));
    return Reply::ok(paper);
}

// Before a move; in a partial transfer, before each item.
Reply RegisterModel::transferKey(const QStringList &)
{
    if (tables_.move && !tables_.move->ending) {
        tables_.transferKey = true;
        return Reply::ok();
    }
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    if (tables_.move)
        return Reply::error(code::kWrongOperation);
    tables_.transferKey = true;
    return Reply::ok();
}

// A whole table onto another, or ("PAR") the start of a partial transfer.
Reply RegisterModel::moveTable(const QStringList &captures)
{
    const int from = captures[0].toInt();
    const int to = captures[1].toInt();
    const bool part = captures.value(2) == QLatin1String("PAR");
    if (!tables_.transferKey || tables_.move || receipt_)
        return Reply::error(code::kWrongOperation);
    tables_.transferKey = false;
    if (from == to || to < 1 || !tables_.tables.contains(from))
        return Reply::error(code::kWrongOperation);
    const QString route = QStringLiteral("%1 > %2").arg(from).arg(to);
    if (part) {
        tables_.move = TableMove{from, to};
        return Reply::ok({paperColumns(QStringLiteral("ΜΕΤΑΦΟΡΑ ΕΙΔΩΝ"), route)});
    }
    const Table moved = tables_.tables.take(from);
    Table &target = tables_.tables[to];
    target.amount += moved.amount;
    if (target.text.isEmpty())
        target.text = moved.text;
    return Reply::ok({paperColumns(QStringLiteral("ΜΕΤΑΦΟΡΑ ΤΡΑΠΕΖΙΟΥ"), route)});
}

// Before a partial payment; while its items are named, before each item.
Reply RegisterModel::partialPaymentKey(const QStringList &)
{
    if (tables_.choosing) {
        tables_.paymentKey = true;
        return Reply::ok();
    }
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    if (tables_.move)
        return Reply::error(code::kWrongOperation);
    tables_.paymentKey = true;
    return Reply::ok();
}

// Opens a receipt for part of a table: the items named next.
Reply RegisterModel::billPartOfTable(const QStringList &captures)
{
    const int number = captures[0].toInt();
    if (!tables_.paymentKey || receipt_ || tables_.move)
        return Reply::error(code::kWrongOperation);
    tables_.paymentKey = false;
    if (tables_.tables.value(number).amount <= 0)
        return Reply::error(code::kWrongOperation);
    receipt_ = Receipt{};
    receipt_->number = counters_.lastReceipt + 1;
    tables_.billOf = number;
    tables_.partBill = true;
    tables_.choosing = true;
    return Reply::ok({paperColumns(QStringLiteral("ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ"),
                                   QStringLiteral("#%1").arg(receipt_->number, 5, 10, QLatin1Char('0'))),
                      paperColumns(tableTitle(number), printedText(tables_.tables.value(number).text))});
}

// An item to move or to pay, after its key; the table must hold it.
Reply RegisterModel::nameTableItem(const QStringList &captures)
{
    const bool moving = tables_.move && !tables_.move->ending && tables_.transferKey;
    const bool paying = tables_.choosing && tables_.paymentKey;
    const qint64 amount = extendedAmount(captures[0].toLongLong(), quantity_);
    resetKeyboard();
    if (!moving && !paying)
        return Reply::error(code::kWrongOperation);
    tables_.transferKey = false;
    tables_.paymentKey = false;
    const qint64 left = moving ? tables_.tables.value(tables_.move->from).amount
                               : tables_.tables.value(tables_.billOf).amount - receipt_->total;
    if (amount <= 0 || amount > left)
        return Reply::error(code::kWrongAmount);
    tables_.named = NamedItem{amount, captures[2].trimmed(), captures[1]};
    return Reply::ok();
}

// Confirms the named item, or, after "KXTRFNO", ends a partial transfer.
Reply RegisterModel::confirmTableItem(const QStringList &)
{
    if (tables_.named) {
        const NamedItem item = *tables_.named;
        tables_.named.reset();
        if (tables_.move) {
            tables_.tables[tables_.move->from].amount -= item.amount;
            tables_.tables[tables_.move->to].amount += item.amount;
        } else {
            receipt_->total += item.amount;
            receipt_->lastItem = item.amount;
        }
        return Reply::ok({paperAmountLine(itemLabel(item), item.amount, item.category)});
    }
    if (!tables_.move || !tables_.move->ending)
        return Reply::error(code::kWrongOperation);
    if (tables_.tables.value(tables_.move->from).amount <= 0)
        tables_.tables.remove(tables_.move->from);
    tables_.move.reset();
    return Reply::ok({paperRule(QLatin1Char('-'))});
}

// No more items to move or to pay.
Reply RegisterModel::endTableItems(const QStringList &)
{
    tables_.named.reset();
    if (tables_.move) {
        tables_.move->ending = true;
        tables_.transferKey = false;
        return Reply::ok();
    }
    if (!tables_.choosing)
        return Reply::error(code::kWrongOperation);
    tables_.choosing = false;
    tables_.paymentKey = false;
    return Reply::ok();
}

// A receipt that closes on a table's bill settles the table: a whole bill
// empties it, a part takes the part away.
void RegisterModel::settleTable()
{
    if (tables_.billOf == 0)
        return;
    const int number = tables_.billOf;
    if (tables_.partBill && tables_.tables.value(number).amount > receipt_->total)
        tables_.tables[number].amount -= receipt_->total;
    else
        tables_.tables.remove(number);
    tables_.billOf = 0;
    tables_.partBill = false;
    tables_.choosing = false;
    tables_.settledBy = receipt_->number;
}

} // namespace merovan::sim
