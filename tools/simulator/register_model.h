#pragma once

#include "command_table.h"
#include "money.h"
#include "receipt.h"
#include "reply.h"

#include <QString>

#include <optional>

namespace merovan::sim {

// The simulated register: one command text in (Windows-1253 characters, no
// terminator), one reply and the lines it printed out. No I/O, no clock.
//
// Commands are dispatched through a table of shapes; a command that fits no
// shape is refused with DE0006 ("Λάθος Χειρισμός"), as is a known command
// out of turn (an item after a payment, a payment with no receipt open).
class RegisterModel {
public:
    static constexpr int kStatusIdle = 0;      // no receipt open
    static constexpr int kStatusReceiptOpen = 1;
    static constexpr int kStatusPaying = 2;    // a payment has been taken

    explicit RegisterModel(QString version);
    RegisterModel(const RegisterModel &) = delete;
    RegisterModel &operator=(const RegisterModel &) = delete;

    Reply handle(const QString &command);

    int status() const;

private:
    using Handler = Reply (RegisterModel::*)(const QStringList &);
    void addRow(const QString &pattern, Handler handler);

    // Keyboard, queries and reports (register_model.cpp).
    Reply clearKeyboard(const QStringList &);
    Reply reportStatus(const QStringList &);
    Reply reportCounters(const QStringList &);
    Reply reportVersion(const QStringList &);
    Reply xReport(const QStringList &captures);
    Reply zReport(const QStringList &captures);
    Reply comment(const QStringList &captures);
    QStringList reportLines(const QString &title, const QString &number) const;

    // Sales (sale_commands.cpp).
    Reply minusKey(const QStringList &);
    Reply quantity(const QStringList &captures);
    Reply item(const QStringList &captures);
    Reply subtotal(const QStringList &);
    Reply percentAdjustment(const QStringList &captures);
    Reply amountAdjustment(const QStringList &captures);
    Reply adjust(qint64 value, bool percent, const QString &text);
    Reply payment(const QStringList &captures);
    Reply voidReceipt(const QStringList &);
    void closeReceipt(QStringList &paper);
    void resetKeyboard();

    CommandTable table_;
    QString version_;
    std::optional<Receipt> receipt_;
    Counters counters_;
    DayTotals day_;
    // Keys pressed ahead of the next item: the quantity and the minus key.
    qint64 quantity_ = kQuantityOne;
    bool minus_ = false;
};

} // namespace merovan::sim
