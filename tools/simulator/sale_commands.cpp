#include "register_model.h"

#include "money.h"
#include "paper_layout.h"

#include <algorithm>

namespace merovan::sim {

Reply RegisterModel::minusKey(const QStringList &)
{
    minus_ = true;
    return Reply::ok();
}

Reply RegisterModel::quantity(const QStringList &captures)
{
    const qint64 value = captures[0].toLongLong() * kQuantityOne
        + captures[1].leftJustified(3, QLatin1Char('0')).toLongLong();
    if (value == 0)
        return Reply::error(code::kWrongQuantity);
    quantity_ = minus_ ? -value : value;
    minus_ = false;
    return Reply::ok();
}

Reply RegisterModel::item(const QStringList &captures)
{
    if (receipt_ && receipt_->paying)
        return Reply::error(code::kWrongOperation);
    const qint64 price = captures[0].toLongLong();
    if (price == 0)
        return Reply::error(code::kWrongAmount);
    const QString &category = captures[1];
    const qint64 amount = (minus_ ? -1 : 1) * extendedAmount(price, quantity_);
    if (!withinAmountLimit(amount) || (receipt_ && !withinAmountLimit(receipt_->total + amount)))
        return Reply::error(code::kWrongAmount);

    QStringList paper;
    if (!receipt_) {
        receipt_ = Receipt{};
        receipt_->number = counters_.lastReceipt + 1;
        paper << paperColumns(QStringLiteral("ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ"),
                              QStringLiteral("#%1").arg(receipt_->number, 5, 10, QLatin1Char('0')));
    }
    if (quantity_ != kQuantityOne)
        paper << QStringLiteral("  %1 x %2").arg(formatQuantity(quantity_), formatAmount(price));
    const QString text = printedText(captures[2].trimmed());
    paper << paperAmountLine(text.isEmpty() ? QStringLiteral("ΤΜΗΜΑ ") + category : text, amount, category);

    receipt_->total += amount;
    receipt_->lastItem = amount;
    receipt_->afterSubtotal = false;
    resetKeyboard();
    return Reply::ok(paper);
}

Reply RegisterModel::subtotal(const QStringList &)
{
    if (!receipt_)
        return Reply::ok();
    receipt_->afterSubtotal = true;
    return Reply::ok({paperAmountLine(QStringLiteral("ΥΠΟΣΥΝΟΛΟ"), receipt_->total)});
}

Reply RegisterModel::percentAdjustment(const QStringList &captures)
{
    return adjust(captures[0].toLongLong(), true, captures[1]);
}

Reply RegisterModel::amountAdjustment(const QStringList &captures)
{
    return adjust(captures[0].toLongLong(), false, captures[1]);
}

// A discount (after the minus key) or a surcharge, on the last item, or on
// the subtotal right after "KXST".
Reply RegisterModel::adjust(qint64 value, bool percent, const QString &text)
{
    if (!receipt_ || receipt_->paying)
        return Reply::error(code::kWrongOperation);
    Receipt &receipt = *receipt_;
    const qint64 base = receipt.afterSubtotal ? receipt.total : receipt.lastItem;
    if (!withinAmountLimit(base))
        return Reply::error(code::kWrongAmount);
    const qint64 size = percent ? percentOf(base, value) : value;
    const bool discount = minus_;
    if (discount && size > base)
        return Reply::error(code::kDiscountTooLarge);
    const qint64 delta = discount ? -size : size;
    if (!withinAmountLimit(receipt.total + delta) || !withinAmountLimit(receipt.lastItem + delta))
        return Reply::error(code::kWrongAmount);
    receipt.total += delta;
    if (!receipt.afterSubtotal)
        receipt.lastItem += delta;
    resetKeyboard();

    QString label = discount ? QStringLiteral("ΕΚΠΤΩΣΗ") : QStringLiteral("ΕΠΙΒΑΡΥΝΣΗ");
    if (percent)
        label += QLatin1Char(' ') + formatAmount(value) + QLatin1Char('%');
    const QString printed = printedText(text.trimmed());
    if (!printed.isEmpty())
        label += QLatin1Char(' ') + printed;
    return Reply::ok({paperAmountLine(label, delta)});
}

// Takes a payment; the receipt closes once the payments cover its total.
Reply RegisterModel::payment(const QStringList &captures)
{
    if (!receipt_)
        return Reply::error(code::kWrongOperation);
    Receipt &receipt = *receipt_;
    const qint64 tendered = captures[0].isEmpty() ? receipt.due() : captures[0].toLongLong();
    if (tendered <= 0 && receipt.due() > 0)
        return Reply::error(code::kWrongAmount);
    const int type = captures[1].toInt();

    QStringList paper;
    if (!receipt.paying)
        paper << paperAmountLine(QStringLiteral("ΣΥΝΟΛΟ"), receipt.total);
    receipt.paying = true;
    paper << paperAmountLine(QStringLiteral("ΠΛΗΡΩΜΗ %1").arg(type), tendered);
    const qint64 taken = std::min(tendered, receipt.due());
    receipt.paid += taken;
    receipt.payments[type] += taken;
    resetKeyboard();
    if (receipt.due() > 0)
        return Reply::ok(paper);

    if (tendered > taken)
        paper << paperAmountLine(QStringLiteral("ΡΕΣΤΑ"), tendered - taken);
    day_.sales += receipt.total;
    for (auto it = receipt.payments.cbegin(); it != receipt.payments.cend(); ++it)
        day_.payments[it.key()] += it.value();
    closeReceipt(paper);
    return Reply::ok(paper);
}

// A voided receipt is still a numbered document, but sells nothing.
Reply RegisterModel::voidReceipt(const QStringList &)
{
    if (!receipt_)
        return Reply::error(code::kWrongOperation);
    QStringList paper{QStringLiteral("ΑΚΥΡΩΣΗ ΑΠΟΔΕΙΞΗΣ")};
    closeReceipt(paper);
    resetKeyboard();
    return Reply::ok(paper);
}

void RegisterModel::closeReceipt(QStringList &paper)
{
    settleTable();
    counters_.lastReceipt = receipt_->number;
    ++counters_.sinceZ;
    receipt_.reset();
    paper << paperRule(QLatin1Char('='));
}

void RegisterModel::resetKeyboard()
{
    quantity_ = kQuantityOne;
    minus_ = false;
    category_.clear();
}

// With the keyboard locked the category is keyed first ("KX<category>PL"),
// then the price and the text ("KX<price>AC<text>").
Reply RegisterModel::selectCategory(const QStringList &captures)
{
    category_ = captures[0];
    return Reply::ok();
}

// A price after a chosen category is an item. Without one it would be an
// item code to look up in the register's own item list, which the
// simulator does not hold.
Reply RegisterModel::keyedItem(const QStringList &captures)
{
    if (category_.isEmpty())
        return Reply::error(code::kWrongOperation);
    return item({captures[0], category_, captures[1]});
}

// The item's code printed as a text line before the item.
Reply RegisterModel::codeText(const QStringList &captures)
{
    return Reply::ok({printedText(captures[0].trimmed())});
}

} // namespace merovan::sim
