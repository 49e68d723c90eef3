#include "payments/payment_types_form.h"

#include "core/operator.h"

#include <QRegularExpression>

#include <optional>

namespace merovan {

namespace {

// The labels that name the boxes in messages; the delay's first word
// suffices and keeps the message inside the box's 40 characters.
const QString kPayLabel = QStringLiteral("# πληρωμής Merovan");
const QString kRetriesLabel = QStringLiteral("Προσπάθειες");
const QString kFallbackLabel = QStringLiteral("Εναλλακτική πληρωμή");
const QString kDelayLabel = QStringLiteral("Καθυστέρηση");

// A whole number typed in a box: digits, blanks around them allowed, and
// small enough for a 16-bit field.
std::optional<qint16> typedNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\s*[0-9]+\\s*$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint16 value = text.trimmed().toShort(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

int selectedValue(const QList<ListEntry> &list, int index)
{
    return index >= 0 && index < list.size() ? list[index].value : 0;
}

} // namespace

int indexOfValue(const QList<ListEntry> &list, int value)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].value == value)
            return i;
    }
    return 0;
}

PaymentTypesForm::PaymentTypesForm(Operator &op, QString path, QObject *parent)
    : QObject(parent), op_(op), path_(std::move(path)), caption_(paymentTypesCaption())
{
    setFallback(QStringLiteral("0"));
}

void PaymentTypesForm::reload()
{
    open_ = true;
    caption_ = paymentTypesFillingCaption();
    refreshVisible_ = false;
    Q_EMIT changed();

    terminals_ = {{QStringLiteral("---"), 0}};
    for (int terminal = 1; terminal <= 8; ++terminal)
        terminals_.append({QStringLiteral("EFTPOS #%1").arg(terminal), terminal});
    terminalIndex_ = 0;
    registerPayments_ = {{QStringLiteral("---"), 0},
                    {QStringLiteral("EFT Πληρωμή"), 2},
                    {QStringLiteral("EFT Προφορτωμένη"), 3},
                    {QStringLiteral("EFT Προείσπραξη"), 9}};
    registerPaymentIndex_ = 0;

    caption_ = paymentTypesCaption();
    refreshVisible_ = true;
    Q_EMIT changed();
    Q_EMIT opened();
}

void PaymentTypesForm::setTypeNumber(const QString &text)
{
    typeNumber_ = text;
    Q_EMIT changed();
}

void PaymentTypesForm::setRegisterPaymentIndex(int index)
{
    registerPaymentIndex_ = index;
    Q_EMIT changed();
}

void PaymentTypesForm::setTerminalIndex(int index)
{
    terminalIndex_ = index;
    Q_EMIT changed();
}

void PaymentTypesForm::setActive(bool on)
{
    active_ = on;
    Q_EMIT changed();
}

void PaymentTypesForm::setRetries(const QString &text)
{
    retries_ = text;
    Q_EMIT changed();
}

void PaymentTypesForm::setFallback(const QString &text)
{
    fallback_ = text;
    if (const auto key = typedNumber(text)) {
        RegisterPayment payment;
        fallbackName_ = registerPayment(*key, payment) == 0 ? payment.displayName() : QString(14, QLatin1Char('-'));
    }
    Q_EMIT changed();
}

void PaymentTypesForm::setDelay(const QString &text)
{
    delay_ = text;
    Q_EMIT changed();
}

void PaymentTypesForm::find()
{
    const auto number = typedNumber(typeNumber_);
    if (!number)
        return;
    PaymentTypeRecord record;
    record.typeNumber = *number;
    if (readPaymentTypeQuietly(record, path_) != 0)
        return;
    registerPaymentIndex_ = indexOfValue(registerPayments_, record.registerKey);
    terminalIndex_ = indexOfValue(terminals_, record.terminal);
    active_ = record.cardPaymentOn == -1;
    retries_ = QString::number(record.retries);
    delay_ = QString::number(record.printDelaySeconds);
    setFallback(QString::number(record.fallbackKey)); // shows the whole record
}

bool PaymentTypesForm::boxValue(const QString &text, const QString &label, int least, qint16 &value)
{
    const auto number = typedNumber(text);
    if (number && *number >= least) {
        value = *number;
        return true;
    }
    QString caption = paymentTypesCaption();
    showMessage(op_, invalidBoxText(label), MsgExclamation, caption);
    return false;
}

bool PaymentTypesForm::save()
{
    PaymentTypeRecord record;
    if (!boxValue(typeNumber_, kPayLabel, 1, record.typeNumber) || !boxValue(retries_, kRetriesLabel, 0, record.retries) ||
        !boxValue(fallback_, kFallbackLabel, 0, record.fallbackKey) ||
        !boxValue(delay_, kDelayLabel, 0, record.printDelaySeconds))
        return false;
    record.registerKey = static_cast<qint16>(selectedValue(registerPayments_, registerPaymentIndex_));
    record.terminal = static_cast<qint16>(selectedValue(terminals_, terminalIndex_));
    record.cardPaymentOn = active_ ? -1 : 0;
    // Nothing is shown whatever the file says; the next find tells.
    writePaymentType(record, path_);
    return true;
}

bool PaymentTypesForm::remove()
{
    qint16 number = 0;
    if (!boxValue(typeNumber_, kPayLabel, 1, number))
        return false;
    deletePaymentType(number, path_);
    return true;
}

void PaymentTypesForm::close()
{
    if (!open_)
        return;
    open_ = false;
    Q_EMIT closed();
}

} // namespace merovan
