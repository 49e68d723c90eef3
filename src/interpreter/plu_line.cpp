#include "core/clock.h"
#include "core/numeric_text.h"
#include "core/operator.h"
#include "greek/register_text.h"
#include "interpreter/interpreter.h"
#include "interpreter/job_fields.h"
#include "interpreter/sale_numbers.h"
#include "interpreter/sale_steps.h"
#include "interpreter/vat_category.h"
#include "settings/vat_table.h"

namespace merovan {

namespace {

// A pos21 prints the quantity in front of the description, within its 20
// characters: "2* CAFE", "1,500* CAFE". The decimals are always printed as
// three, padded with zeros or cut, whatever the job wrote ("1,5" prints as
// 1,500), so the description starts where the register's column expects.
QString withPos21Quantity(const QString &quantity, const QString &description, QChar separator)
{
    const QString whole = quantity.section(separator, 0, 0);
    const QString fraction = quantity.section(separator, 1, 1).leftJustified(3, QLatin1Char('0'), true);
    if (leadingNumber(fraction) == 0)
        return (whole + QStringLiteral("* ") + description.left(18 - whole.size())).left(20);
    const QString written = whole + QLatin1Char(',') + fraction;
    return (written + QStringLiteral("* ") + description.left(17 - written.size())).left(20);
}

} // namespace

QString itemCategory(const QString &line, const ParamSettings &settings, QChar separator)
{
    const QString rate = normaliseNumber(fieldText(line, fields::pluRate).trimmed(), 2, separator);
    QString category = categoryForRate(rate, separator);
    if (settings.directDepartment != SettingSwitch::On) {
        const QString fee = environmentalFeeCategory(fieldText(line, fields::pluDescription), category);
        if (leadingNumber(fee) != leadingNumber(category))
            category = fee;
    } else if (!fieldText(line, fields::pluDepartment).trimmed().isEmpty()) {
        category = fieldText(line, fields::pluDepartment).trimmed();
    }
    return category;
}

LineEnd pluLine(Interpreter &interpreter, Job &job, const QString &line)
{
    const ParamSettings &settings = job.settings;
    const QChar separator = interpreter.clock().decimalSeparator();
    SaleLine &sale = job.sale;

    QString text;
    if (settings.printDescription != SettingSwitch::Off)
        text = toRegisterUpper(fieldText(line, fields::pluDescription));

    sale.quantity = normaliseNumber(fieldText(line, fields::pluQuantity).trimmed(), 3, separator);
    QString price = fieldText(line, fields::pluPrice);
    if (price == QString(6, QLatin1Char(' ')))
        price = QStringLiteral("1");
    sale.price = normaliseNumber(price.trimmed(), 2, separator);

    if (!isLocaleNumber(sale.quantity, separator))
        return LineEnd::Next;

    const QString category = itemCategory(line, settings, separator);

    if (settings.itemCode == ItemCodePrinting::AsNumber)
        sale.itemCode = QLatin1Char('N') + fieldText(line, fields::pluCode);
    else if (settings.itemCode == ItemCodePrinting::AsText)
        sale.itemCode = QLatin1Char('A') + fieldText(line, fields::pluCode);

    // On a mikro the description stays as it is: the field is no longer
    // than the 24 characters the register prints.
    if (settings.quantityInDescription == SettingSwitch::On && settings.printDescription == SettingSwitch::On &&
        localeValue(sale.quantity, separator) != 1.0 && settings.registerType == RegisterType::Poseidon21)
        text = withPos21Quantity(sale.quantity, text, separator);

    sale.kind = KindItem;
    sale.text = prepareRegisterText(text, true);

    if (category.isEmpty()) {
        const QString noCategory = QStringLiteral("Ανύπαρκτη κατηγορία ΦΠΑ ");
        // Without the rates no category can match: the message says where
        // they were looked for.
        if (vatFileReadable(kVatRatesFile))
            showMessage(interpreter.op(), noCategory, MsgExclamation);
        else
            showWholeMessage(interpreter.op(), noCategory + QStringLiteral("- αδυναμία ανάγνωσης:") + inFolder(kVatRatesFile),
                             MsgExclamation, {});
        return LineEnd::Next;
    }
    sale.category = category;
    interpreter.sendSaleLine(job, sale);
    return LineEnd::Next;
}

} // namespace merovan
