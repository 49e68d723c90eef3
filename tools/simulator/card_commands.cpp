#include "register_model.h"

namespace merovan::sim {

void RegisterModel::addCardRows()
{
    // Amount (empty: the rest), payment key, terminal.
    addRow(QStringLiteral("KX(\\d{0,9})T(\\d{1,2})P(\\d{1,2})"), &RegisterModel::cardPayment);
}

void RegisterModel::attachTerminal(int number, std::vector<TerminalVerdict> verdicts)
{
    terminals_.attach(number, std::move(verdicts));
}

// The register takes the card command at once and passes the terminal's
// verdict on later; an approved payment is booked on the payment key.
Reply RegisterModel::cardPayment(const QStringList &captures)
{
    if (!receipt_)
        return Reply::error(code::kWrongOperation);
    const qint64 cents = captures[0].isEmpty() ? receipt_->due() : captures[0].toLongLong();
    if (cents <= 0 && receipt_->due() > 0)
        return Reply::error(code::kWrongAmount);
    const TerminalAnswer answer = terminals_.pay(captures[2].toInt(), cents);
    Reply reply = answer.approved ? payment({captures[0], captures[1]}) : Reply::ok();
    reply.late = answer.message;
    return reply;
}

} // namespace merovan::sim
