#include "register_model.h"

#include "paper_layout.h"

namespace merovan::sim {

void RegisterModel::addDocumentRows()
{
    addRow(QStringLiteral("KX@215T(\\d{1,6})"), &RegisterModel::cancelReceipt);
    addRow(QStringLiteral("KX(\\d{1,10})CK"), &RegisterModel::simpleInvoice);
    addRow(QStringLiteral("KX@165TIN(.*)"), &RegisterModel::invoiceText);
}

// Cancels an issued receipt by its number, once.
Reply RegisterModel::cancelReceipt(const QStringList &captures)
{
    const int number = captures[0].toInt();
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    if (number < 1 || number > counters_.lastReceipt || cancelled_.contains(number))
        return Reply::error(code::kWrongOperation);
    cancelled_.insert(number);
    return Reply::ok({paperColumns(QStringLiteral("ΑΚΥΡΩΣΗ ΑΠΟΔΕΙΞΗΣ"),
                                   QStringLiteral("#%1").arg(number, 5, 10, QLatin1Char('0'))),
                      paperRule(QLatin1Char('='))});
}

Reply RegisterModel::simpleInvoice(const QStringList &captures)
{
    return Reply::ok({paperColumns(QStringLiteral("ΤΙΜΟΛΟΓΙΟ"), captures[0])});
}

Reply RegisterModel::invoiceText(const QStringList &captures)
{
    return Reply::ok({printedText(captures[0])});
}

} // namespace merovan::sim
