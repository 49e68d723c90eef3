#include "payments/payment_types_window.h"

#include "payments/payment_types_form.h"
#include "widgets/text_box.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace merovan {

namespace {

constexpr int kPayLimit = 2;
constexpr int kRetriesLimit = 1;
constexpr int kFallbackLimit = 1;
constexpr int kDelayLimit = 2;
constexpr int kNameLimit = 15;

// The entries of a list, rebuilt only when they differ, with their values
// as item data.
void showEntries(QComboBox *box, const QList<ListEntry> &entries, int index)
{
    bool same = box->count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = box->itemText(i) == entries[i].text && box->itemData(i).toInt() == entries[i].value;
    if (!same) {
        box->clear();
        for (const ListEntry &entry : entries)
            box->addItem(entry.text, entry.value);
    }
    box->setCurrentIndex(index);
}

// Wide enough for the given number of digits, and no wider.
void fitDigits(QLineEdit *box, int digits)
{
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 14);
}

} // namespace

PaymentTypesWindow::PaymentTypesWindow(PaymentTypesForm &form, QWidget *parent)
    : QWidget(parent, Qt::Window), form_(form), txtPay_(numberBox("txtPay", kPayLimit)),
      cmbECRPayment_(list("cmbECRPayment")), cmbECREFT_(list("cmbECREFT")),
      chkActive_(new QCheckBox(QStringLiteral("Ενεργή"), this)), txtRetries_(numberBox("txtRetries", kRetriesLimit)),
      txtPayID_(numberBox("txtPayID", kFallbackLimit)), txtPAYEDDesc_(new QLabel(this)),
      txtPayDelay_(numberBox("txtPayDelay", kDelayLimit))
{
    setObjectName(QStringLiteral("frmEFT"));
    chkActive_->setObjectName(QStringLiteral("chkActive"));
    txtPAYEDDesc_->setObjectName(QStringLiteral("txtPAYEDDesc"));
    QFont bold = txtPAYEDDesc_->font();
    bold.setBold(true);
    txtPAYEDDesc_->setFont(bold);
    txtPAYEDDesc_->setMinimumWidth(txtPAYEDDesc_->fontMetrics().horizontalAdvance(QString(kNameLimit, QChar(0x03A9))));

    auto *find = button("cmdFind", QStringLiteral("Εύρεση"), QStyle::SP_FileDialogContentsView);
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(txtPay_);
    numberRow->addWidget(find);
    numberRow->addStretch(1);
    auto *fallbackRow = new QHBoxLayout;
    fallbackRow->addWidget(txtPayID_);
    fallbackRow->addWidget(txtPAYEDDesc_, 1);
    auto *delayRow = new QHBoxLayout;
    delayRow->addWidget(txtPayDelay_);
    delayRow->addWidget(new QLabel(QStringLiteral("Δευτερόλεπτα"), this));
    delayRow->addStretch(1);

    auto *rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->addRow(QStringLiteral("# πληρωμής Merovan"), numberRow);
    rows->addRow(QStringLiteral("# πληρωμής Ταμειακής"), cmbECRPayment_);
    rows->addRow(QStringLiteral("# EFT POS"), cmbECREFT_);
    rows->addRow(QString(), chkActive_);
    rows->addRow(QStringLiteral("Προσπάθειες"), txtRetries_);
    rows->addRow(QStringLiteral("Εναλλακτική πληρωμή"), fallbackRow);
    rows->addRow(QStringLiteral("Καθυστέρηση πολλαπλών πληρωμών EFT"), delayRow);

    auto *save = button("save", QStringLiteral("Αποθήκευση"), QStyle::SP_DialogSaveButton);
    auto *remove = button("cmddelete", QStringLiteral("Διαγραφή"), QStyle::SP_TrashIcon);
    auto *exit = button("cmdexit", QStringLiteral("Έξοδος"), QStyle::SP_DialogCloseButton);
    cmdRef_ = button("cmdRef", QStringLiteral("Ανανέωση"), QStyle::SP_BrowserReload);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(remove);
    buttons->addWidget(cmdRef_);
    buttons->addStretch(1);
    buttons->addWidget(exit);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    render();
    connect(&form_, &PaymentTypesForm::changed, this, &PaymentTypesWindow::render);
    connect(&form_, &PaymentTypesForm::closed, this, &QWidget::close);
    connect(txtPay_, &QLineEdit::textEdited, &form_, &PaymentTypesForm::setTypeNumber);
    connect(txtRetries_, &QLineEdit::textEdited, &form_, &PaymentTypesForm::setRetries);
    connect(txtPayID_, &QLineEdit::textEdited, &form_, &PaymentTypesForm::setFallback);
    connect(txtPayDelay_, &QLineEdit::textEdited, &form_, &PaymentTypesForm::setDelay);
    connect(cmbECRPayment_, &QComboBox::activated, &form_, &PaymentTypesForm::setRegisterPaymentIndex);
    connect(cmbECREFT_, &QComboBox::activated, &form_, &PaymentTypesForm::setTerminalIndex);
    connect(chkActive_, &QCheckBox::clicked, &form_, &PaymentTypesForm::setActive);
    connect(find, &QPushButton::clicked, &form_, &PaymentTypesForm::find);
    connect(save, &QPushButton::clicked, &form_, &PaymentTypesForm::save);
    connect(remove, &QPushButton::clicked, &form_, &PaymentTypesForm::remove);
    connect(exit, &QPushButton::clicked, &form_, &PaymentTypesForm::close);
    connect(cmdRef_, &QPushButton::clicked, &form_, &PaymentTypesForm::reload);
}

QLineEdit *PaymentTypesWindow::numberBox(const char *name, int limit)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(limit);
    fitDigits(box, limit);
    new SelectOnFocus(box);
    return box;
}

QComboBox *PaymentTypesWindow::list(const char *name)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QPushButton *PaymentTypesWindow::button(const char *name, const QString &text, QStyle::StandardPixmap icon)
{
    auto *b = new QPushButton(style()->standardIcon(icon), text, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

void PaymentTypesWindow::render()
{
    setWindowTitle(form_.caption());
    cmdRef_->setVisible(form_.refreshVisible());
    showText(txtPay_, form_.typeNumber(), kPayLimit);
    showEntries(cmbECRPayment_, form_.registerPayments(), form_.registerPaymentIndex());
    showEntries(cmbECREFT_, form_.terminals(), form_.terminalIndex());
    chkActive_->setChecked(form_.active());
    showText(txtRetries_, form_.retries(), kRetriesLimit);
    showText(txtPayID_, form_.fallback(), kFallbackLimit);
    txtPAYEDDesc_->setText(form_.fallbackName());
    showText(txtPayDelay_, form_.delay(), kDelayLimit);
}

void PaymentTypesWindow::closeEvent(QCloseEvent *event)
{
    form_.close();
    event->accept();
}

} // namespace merovan
