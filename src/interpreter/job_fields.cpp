#include "interpreter/job_fields.h"

namespace merovan {

QString fieldText(const QString &line, FieldSpan span)
{
    return span.length > 0 ? line.mid(span.from - 1, span.length) : line.mid(span.from - 1);
}

namespace {

using K = FieldKind;

const std::vector<JobWordLayout> &layouts()
{
    const QString table = QStringLiteral("table");
    const std::vector<JobField> move = {{QStringLiteral("source table"), fields::moveSource, K::Whole, false},
                                        {QStringLiteral("target table"), fields::moveTarget, K::Whole, false}};
    static const std::vector<JobWordLayout> all = {
        {QStringLiteral("MKZ"), QStringLiteral("run the daily Z report"), {}},
        {QStringLiteral("PLU"),
         QStringLiteral("sell an item"),
         {{QStringLiteral("item code"), fields::pluCode, K::Text, true},
          {QStringLiteral("description"), fields::pluDescription, K::Text, true},
          {QStringLiteral("quantity"), fields::pluQuantity, K::Number, false},
          {QStringLiteral("unit price"), fields::pluPrice, K::Number, true},
          {QStringLiteral("VAT rate"), fields::pluRate, K::Number, true},
          {QStringLiteral("department"), fields::pluDepartment, K::Whole, true}}},
        {QStringLiteral("dis"),
         QStringLiteral("discount (or, with \"-\", surcharge) on the subtotal"),
         {{QStringLiteral("amount"), fields::disAmount, K::Amount, false}}},
        {QStringLiteral("sut"),
         QStringLiteral("the receipt's subtotal: zero allows a payment of zero"),
         {{QStringLiteral("subtotal"), fields::sutSubtotal, K::Number, false}}},
        {QStringLiteral("mod"),
         QStringLiteral("surcharge (or, with \"-\", discount) on the last item"),
         {{QStringLiteral("value"), fields::modValue, K::AmountOrPercent, false},
          {QStringLiteral("text"), fields::modText, K::Text, true}}},
        {QStringLiteral("to"),
         QStringLiteral("a payment"),
         {{QStringLiteral("payment type"), fields::toType, K::Whole, false},
          {QStringLiteral("amount"), fields::toAmount, K::Amount, false}}},
        {QStringLiteral("com"), QStringLiteral("a comment line"),
         {{QStringLiteral("text"), fields::comText, K::Text, true}}},
        {QStringLiteral("frt"), QStringLiteral("three blank comment lines"), {}},
        {QStringLiteral("can"),
         QStringLiteral("cancel an issued receipt"),
         {{QStringLiteral("receipt number"), fields::canNumber, K::Whole, true}}},
        {QStringLiteral("voi"), QStringLiteral("void the open receipt"), {}},
        {QStringLiteral("ltb"), QStringLiteral("list the open tables in the result file"), {}},
        {QStringLiteral("foo"), QStringLiteral("footer text, printed after the receipt"),
         {{QStringLiteral("text"), fields::fooText, K::Text, true}}},
        {QStringLiteral("TBO"),
         QStringLiteral("open a table"),
         {{table, fields::tboTable, K::Whole, false}, {QStringLiteral("table text"), fields::tboText, K::Text, true}}},
        {QStringLiteral("TBC"), QStringLiteral("close (print) the open table"),
         {{table, fields::tbcTable, K::Whole, false}}},
        {QStringLiteral("TBT"), QStringLiteral("move a whole table"), move},
        {QStringLiteral("TPT"), QStringLiteral("move the items that follow to another table"), move},
        {QStringLiteral("TBS"), QStringLiteral("start paying part of a table"),
         {{table, fields::tbsTable, K::Whole, false}}},
        {QStringLiteral("TBE"), QStringLiteral("end of a table operation: wait until no receipt is open"), {}},
        {QStringLiteral("exit"), QStringLiteral("end the job here"), {}},
        {QStringLiteral("PRG"), QStringLiteral("keys as typed on the register"),
         {{QStringLiteral("keys"), fields::prgKeys, K::Text, false}}},
        {QStringLiteral("snd"), QStringLiteral("a raw command; its reply goes to the result file"),
         {{QStringLiteral("command"), fields::sndCommand, K::Text, false}}},
        {QStringLiteral("pay"), QStringLiteral("pay the rest of the open receipt"),
         {{QStringLiteral("payment type"), fields::payType, K::Whole, false}}},
        {QStringLiteral("sin"), QStringLiteral("a simple invoice's number"),
         {{QStringLiteral("invoice number"), fields::sinNumber, K::Whole, false}}},
        {QStringLiteral("inv"), QStringLiteral("a fiscal invoice's text"),
         {{QStringLiteral("invoice text"), fields::invText, K::Text, false}}},
        {QStringLiteral("ver"), QStringLiteral("the register's firmware version into the result file"), {}},
        {QStringLiteral("rpt"), QStringLiteral("print a table report"),
         {{table, fields::rptTable, K::Whole, true}}},
    };
    return all;
}

} // namespace

const JobWordLayout *jobWordLayout(const QString &word)
{
    for (const JobWordLayout &layout : layouts()) {
        if (layout.word.compare(word, Qt::CaseInsensitive) == 0)
            return &layout;
    }
    return nullptr;
}

} // namespace merovan
