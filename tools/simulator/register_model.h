#pragma once

#include "command_table.h"
#include "eft_terminals.h"
#include "money.h"
#include "receipt.h"
#include "reply.h"
#include "tables.h"

#include <QSet>
#include <QString>

#include <optional>
#include <vector>

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

    explicit RegisterModel(QString firmware);
    RegisterModel(const RegisterModel &) = delete;
    RegisterModel &operator=(const RegisterModel &) = delete;

    Reply handle(const QString &command);

    int status() const;

    // A card terminal on the register, with its verdicts in turn.
    void attachTerminal(int number, std::vector<TerminalVerdict> verdicts);
    // A status that the operator must clear at the register: "KXSTAT"
    // reports it until then (0: none).
    void setStatusError(int code);
    // An error waiting is reported as "0000000DE" + code + "C", the other
    // form the bridge reads, instead of "STAT:" + code.
    void setStatusAsError(bool on) { statusAsError_ = on; }
    // The operator at the register: "CLEAR" clears the status error; any
    // other keys are a command.
    Reply keyedByOperator(const QString &keys);

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
    Reply selectCategory(const QStringList &captures);
    Reply keyedItem(const QStringList &captures);
    Reply codeText(const QStringList &captures);
    Reply subtotal(const QStringList &);
    Reply percentAdjustment(const QStringList &captures);
    Reply amountAdjustment(const QStringList &captures);
    Reply adjust(qint64 value, bool percent, const QString &text);
    Reply payment(const QStringList &captures);
    Reply voidReceipt(const QStringList &);
    void closeReceipt(QStringList &paper);
    void resetKeyboard();

    // Card payments through a terminal (card_commands.cpp).
    void addCardRows();
    Reply cardPayment(const QStringList &captures);

    // Restaurant tables (table_commands.cpp).
    void addTableRows();
    Reply openTable(const QStringList &captures);
    Reply parkTable(const QStringList &);
    Reply reportOpenTable(const QStringList &);
    Reply reportTableAmount(const QStringList &captures);
    Reply reportOpenTables(const QStringList &);
    Reply tableReport(const QStringList &captures);
    Reply transferKey(const QStringList &);
    Reply moveTable(const QStringList &captures);
    Reply partialPaymentKey(const QStringList &);
    Reply billPartOfTable(const QStringList &captures);
    Reply nameTableItem(const QStringList &captures);
    Reply confirmTableItem(const QStringList &);
    Reply endTableItems(const QStringList &);
    void settleTable();

    // Cancellations and invoices (document_commands.cpp).
    void addDocumentRows();
    Reply cancelReceipt(const QStringList &captures);
    Reply simpleInvoice(const QStringList &captures);
    Reply invoiceText(const QStringList &captures);

    CommandTable table_;
    QString firmware_;
    std::optional<Receipt> receipt_;
    Counters counters_;
    DayTotals day_;
    // Keys pressed ahead of the next item: the quantity and the minus key.
    qint64 quantity_ = kQuantityOne;
    bool minus_ = false;
    QString category_; // chosen by "KX<category>PL" for the next "AC"
    EftTerminals terminals_;
    TableBook tables_;
    QSet<int> cancelled_;
    int statusError_ = 0;
    bool statusAsError_ = false;
};

} // namespace merovan::sim
