#pragma once

#include <QStyle>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace merovan {

class PaymentTypesForm;

// frmEFT, "Πληρωμές Καρτών": renders a PaymentTypesForm and forwards edits
// and clicks to it. Closing it closes the form.
class PaymentTypesWindow : public QWidget {
    Q_OBJECT
public:
    explicit PaymentTypesWindow(PaymentTypesForm &form, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *numberBox(const char *name, int limit);
    QComboBox *list(const char *name);
    QPushButton *button(const char *name, const QString &text, QStyle::StandardPixmap icon);
    void render();

    PaymentTypesForm &form_;
    QLineEdit *txtPay_;
    QComboBox *cmbECRPayment_;
    QComboBox *cmbECREFT_;
    QCheckBox *chkActive_;
    QLineEdit *txtRetries_;
    QLineEdit *txtPayID_;
    QLabel *txtPAYEDDesc_;
    QLineEdit *txtPayDelay_;
    QPushButton *cmdRef_ = nullptr;
};

} // namespace merovan
