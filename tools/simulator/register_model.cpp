#include "register_model.h"

#include "paper_layout.h"

namespace merovan::sim {

// Numbers longer than the register's fields fit no shape.
RegisterModel::RegisterModel(QString firmware) : firmware_(std::move(firmware))
{
    addRow(QStringLiteral("KXCL"), &RegisterModel::clearKeyboard);
    addRow(QStringLiteral("KXSTAT"), &RegisterModel::reportStatus);
    addRow(QStringLiteral("KXRE"), &RegisterModel::reportCounters);
    addRow(QStringLiteral("KXVER"), &RegisterModel::reportVersion);
    // 0: financial, 5: period. Before the payment shape, which they also fit.
    addRow(QStringLiteral("KX([05])T1"), &RegisterModel::xReport);
    addRow(QStringLiteral("KX([05])21T1"), &RegisterModel::zReport);
    addRow(QStringLiteral("KX- "), &RegisterModel::minusKey);
    addRow(QStringLiteral("KX(\\d{1,6})\\.(\\d{1,3})\\* "), &RegisterModel::quantity);
    // Price, category, text. A text that begins with a digit comes with a
    // blank in front, so the category's digits end where the text begins.
    addRow(QStringLiteral("KX(\\d{1,9})R([1-9]\\d?)(.*)"), &RegisterModel::item);
    // The item code printed as text: "KX10PL", "K", 0x8D, 0x86, ":" and the code.
    addRow(QStringLiteral("KX10PLK\u008D\u2020:(.*)"), &RegisterModel::codeText);
    addRow(QStringLiteral("KX([1-9]\\d?)PL"), &RegisterModel::selectCategory);
    addRow(QStringLiteral("KX(\\d{1,9})AC(.*)"), &RegisterModel::keyedItem);
    addRow(QStringLiteral("KXST"), &RegisterModel::subtotal);
    addRow(QStringLiteral("KX(\\d{1,9})% (.*)"), &RegisterModel::percentAdjustment);
    addRow(QStringLiteral("KX(\\d{1,9})GE(.*)"), &RegisterModel::amountAdjustment);
    // Amount (empty: the rest), payment type.
    addRow(QStringLiteral("KX(\\d{0,9})T(\\d{1,2})"), &RegisterModel::payment);
    addRow(QStringLiteral("KXCO (.*)"), &RegisterModel::comment);
    addRow(QStringLiteral("KXVOID"), &RegisterModel::voidReceipt);
    addCardRows();
    addTableRows();
    addDocumentRows();
}

void RegisterModel::addRow(const QString &pattern, Handler handler)
{
    table_.add(pattern, [this, handler](const QStringList &captures) { return (this->*handler)(captures); });
}

Reply RegisterModel::handle(const QString &command)
{
    return table_.dispatch(command).value_or(Reply::error(code::kWrongOperation));
}

int RegisterModel::status() const
{
    if (!receipt_)
        return kStatusIdle;
    return receipt_->paying ? kStatusPaying : kStatusReceiptOpen;
}

// The reply tells the number of the last receipt when that receipt settled
// a table.
Reply RegisterModel::clearKeyboard(const QStringList &)
{
    resetKeyboard();
    tables_.transferKey = false;
    tables_.paymentKey = false;
    tables_.named.reset();
    if (tables_.settledBy == 0 || tables_.settledBy != counters_.lastReceipt)
        return Reply::ok();
    return {QStringLiteral("00 OK:CL:%1").arg(tables_.settledBy, 5, 10, QLatin1Char('0')), {}};
}

Reply RegisterModel::reportStatus(const QStringList &)
{
    if (statusError_ != 0 && statusAsError_)
        return {QStringLiteral("0000000DE%1C").arg(statusError_, 4, 10, QLatin1Char('0')), {}};
    return {QStringLiteral("STAT:%1").arg(statusError_ != 0 ? statusError_ : status()), {}};
}

Reply RegisterModel::reportCounters(const QStringList &)
{
    const auto field = [](int n) { return QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0')); };
    return {QStringLiteral("RE:") + field(counters_.lastReceipt) + QLatin1Char(':') + field(counters_.sinceZ)
                + QLatin1Char(':') + field(counters_.zReports),
            {}};
}

Reply RegisterModel::reportVersion(const QStringList &)
{
    return {firmware_, {}};
}

namespace {

QString reportTitle(QChar letter, const QString &kind)
{
    return QStringLiteral("ΑΝΑΦΟΡΑ %1 %2")
        .arg(letter, kind == QLatin1String("0") ? QStringLiteral("ΟΙΚΟΝΟΜΙΚΗ") : QStringLiteral("ΠΕΡΙΟΔΟΥ"));
}

} // namespace

Reply RegisterModel::xReport(const QStringList &captures)
{
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    return Reply::ok(reportLines(reportTitle(QLatin1Char('X'), captures[0]), {}));
}

Reply RegisterModel::zReport(const QStringList &captures)
{
    if (receipt_)
        return Reply::error(code::kReceiptOpen);
    ++counters_.zReports;
    const QStringList paper = reportLines(reportTitle(QLatin1Char('Z'), captures[0]),
                                          QStringLiteral("#%1").arg(counters_.zReports, 4, 10, QLatin1Char('0')));
    counters_.sinceZ = 0;
    day_ = {};
    return Reply::ok(paper);
}

QStringList RegisterModel::reportLines(const QString &title, const QString &number) const
{
    QStringList lines{paperColumns(title, number),
                      paperColumns(QStringLiteral("ΑΠΟΔΕΙΞΕΙΣ"), QString::number(counters_.sinceZ))};
    for (auto it = day_.payments.cbegin(); it != day_.payments.cend(); ++it)
        lines << paperAmountLine(QStringLiteral("ΠΛΗΡΩΜΗ %1").arg(it.key()), it.value());
    lines << paperAmountLine(QStringLiteral("ΣΥΝΟΛΟ"), day_.sales) << paperRule(QLatin1Char('='));
    return lines;
}

Reply RegisterModel::comment(const QStringList &captures)
{
    return Reply::ok({printedText(captures[0])});
}

} // namespace merovan::sim
