#pragma once

#include "payments/payment_types.h"

#include <QList>
#include <QObject>
#include <QString>

namespace merovan {

class Operator;

// One entry of a drop-down list: the text shown and the value it carries.
struct ListEntry {
    QString text;
    int value;
    friend bool operator==(const ListEntry &, const ListEntry &) = default;
};

// The index of the first entry whose value equals value, searching from
// the top; 0, the "---" entry, when none does.
int indexOfValue(const QList<ListEntry> &list, int value);

// The payment-types window "Πληρωμές Καρτών" (frmEFT) without a widget: it
// edits one record of payeft.dat at a time. The widget renders it on
// changed() and forwards edits and clicks. The window holds nothing from
// one opening to the next; a record is shown only after an explicit find.
// The main window is disabled from reload() (opened()) until the window
// closes (closed()).
//
// Save and delete write only what the boxes say without doubt: a box that
// holds no whole number (empty, letters, a sign, a fraction) or a payment
// type number below 1 stops them with a message naming the box, and
// nothing is written. The lists always have an entry selected, "---" after
// reload(), so they always give a value.
class PaymentTypesForm : public QObject {
    Q_OBJECT
public:
    explicit PaymentTypesForm(Operator &op, QString path = kPaymentTypesFile, QObject *parent = nullptr);

    QString caption() const { return caption_; }
    // cmdRef, the picture that reloads the window.
    bool refreshVisible() const { return refreshVisible_; }

    QString typeNumber() const { return typeNumber_; }                              // txtPay
    const QList<ListEntry> &registerPayments() const { return registerPayments_; }  // cmbECRPayment
    int registerPaymentIndex() const { return registerPaymentIndex_; }
    const QList<ListEntry> &terminals() const { return terminals_; }                // cmbECREFT
    int terminalIndex() const { return terminalIndex_; }
    bool active() const { return active_; }                                         // chkActive
    QString retries() const { return retries_; }                                    // txtRetries
    QString fallback() const { return fallback_; }                                  // txtPayID
    QString fallbackName() const { return fallbackName_; }                          // txtPAYEDDesc
    QString delay() const { return delay_; }                                        // txtPayDelay

    void setTypeNumber(const QString &text);
    void setRegisterPaymentIndex(int index);
    void setTerminalIndex(int index);
    void setActive(bool on);
    void setRetries(const QString &text);
    // A number shows the name of that register payment, or 14 hyphens for
    // a key the register does not have; other text leaves the name alone.
    void setFallback(const QString &text);
    void setDelay(const QString &text);

    // Fills the lists afresh and disables the main window; the menu entry
    // and cmdRef call it.
    void reload();
    // cmdFind: shows the record of the number in txtPay.
    void find();
    // save: writes the record the controls describe. False when a box
    // stopped it.
    bool save();
    // cmddelete: leaves the type as its number with zeros.
    bool remove();
    // cmdexit or the close box.
    void close();

Q_SIGNALS:
    void changed();
    void opened();
    void closed();

private:
    bool boxValue(const QString &text, const QString &label, int least, qint16 &value);

    Operator &op_;
    QString path_;
    QString caption_;
    bool refreshVisible_ = true;
    QString typeNumber_ = QStringLiteral("01");
    QList<ListEntry> registerPayments_;
    int registerPaymentIndex_ = -1;
    QList<ListEntry> terminals_;
    int terminalIndex_ = -1;
    bool active_ = true;
    QString retries_ = QStringLiteral("0");
    QString fallback_;
    QString fallbackName_;
    QString delay_ = QStringLiteral("0");
    bool open_ = false;
};

// The window's caption, and its caption while the lists are being filled.
inline QString paymentTypesCaption() { return QStringLiteral("Πληρωμές Καρτών"); }
inline QString paymentTypesFillingCaption() { return QStringLiteral("Ανάγνωση Ρυθμίσεων Ταμειακής..."); }

// The message of a box that stops a save or delete.
inline QString invalidBoxText(const QString &label) { return QStringLiteral("Μη έγκυρη τιμή: ") + label; }

} // namespace merovan
