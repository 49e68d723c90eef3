#include "settings/settings_window.h"

#include "widgets/text_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace merovan {

namespace {

constexpr int kPortLimit = 17;
constexpr int kBaudLimit = 12;
constexpr int kFileLimit = 12;
constexpr int kVatLimit = 5;
constexpr int kNoLimit = 32767;

// A box sized for its limit in characters of the window's font.
void fitWidth(QLineEdit *box, int characters)
{
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters + 16);
}

} // namespace

SettingsWindow::SettingsWindow(SettingsForm &form, QWidget *parent)
    : QWidget(parent, Qt::Window), form_(form), comtxt_(textBox("comtxt", kPortLimit)),
      baudtxt_(textBox("baudtxt", kBaudLimit)), filetxt_(textBox("filetxt", kFileLimit)),
      typetxt_(new QComboBox(this)), location_(textBox("location", kNoLimit)), settlement_(new QButtonGroup(this)),
      content_(new QWidget(this))
{
    setObjectName(QStringLiteral("frmparam"));
    setWindowTitle(QStringLiteral("Παράμετροι Merovan"));

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildConnection());
    left->addWidget(buildSwitches());
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildPrintCode());
    right->addWidget(buildSettlement());
    right->addWidget(buildVatRates());
    right->addStretch(1);
    columns->addLayout(left, 1);
    columns->addLayout(right);

    auto *restore = new QPushButton(QStringLiteral("Eπαναφορα"), this);
    restore->setObjectName(QStringLiteral("restore"));
    auto *ok = new QPushButton(QStringLiteral("Kαταχωρηση"), this);
    ok->setObjectName(QStringLiteral("OK"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restore);
    buttons->addWidget(ok);

    // The content scrolls inside the window when a small screen cannot
    // hold all of it; on a screen that can, the window is as large as the
    // content asks and nothing scrolls.
    auto *layout = new QVBoxLayout(content_);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content_);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->addWidget(scroll);

    render();
    connect(&form_, &SettingsForm::changed, this, &SettingsWindow::render);
    connect(&form_, &SettingsForm::closed, this, &QWidget::close);
    connect(comtxt_, &QLineEdit::textEdited, &form_, &SettingsForm::setPort);
    connect(baudtxt_, &QLineEdit::textEdited, &form_, &SettingsForm::setBaud);
    connect(filetxt_, &QLineEdit::textEdited, &form_, &SettingsForm::setFile);
    connect(location_, &QLineEdit::textEdited, &form_, &SettingsForm::setLocation);
    connect(typetxt_, &QComboBox::currentTextChanged, &form_, &SettingsForm::setModel);
    connect(settlement_, &QButtonGroup::idClicked, &form_, &SettingsForm::setCurrency);
    for (int i = 0; i < SettingsForm::kVatBoxes; ++i)
        connect(vat_[i], &QLineEdit::textEdited, &form_, [this, i](const QString &text) { form_.setVatBox(i, text); });
    connect(restore, &QPushButton::clicked, &form_, &SettingsForm::restore);
    connect(ok, &QPushButton::clicked, &form_, &SettingsForm::save);
}

QLineEdit *SettingsWindow::textBox(const char *name, int limit)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(limit);
    return box;
}

QWidget *SettingsWindow::buildConnection()
{
    auto *panel = new QWidget(this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    fitWidth(comtxt_, 15);
    fitWidth(baudtxt_, 6);
    fitWidth(filetxt_, kFileLimit);
    // The baud box leaves its place free while hidden, so nothing jumps.
    QSizePolicy keepPlace = baudtxt_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    baudtxt_->setSizePolicy(keepPlace);
    typetxt_->setObjectName(QStringLiteral("typetxt"));
    typetxt_->setEditable(true);
    typetxt_->addItems(SettingsForm::modelEntries());
    typetxt_->setCurrentIndex(-1);

    grid->addWidget(new QLabel(QStringLiteral("Πορτα σειριακή / IP"), panel), 0, 0);
    grid->addWidget(comtxt_, 0, 1);
    grid->addWidget(baudtxt_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Αρχειο"), panel), 1, 0);
    grid->addWidget(filetxt_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ταμειακη"), panel), 2, 0);
    grid->addWidget(typetxt_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Διαδρομη"), panel), 3, 0);
    grid->addWidget(location_, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return panel;
}

QCheckBox *SettingsWindow::checkBox(SettingsForm::Check box, const QString &caption, const char *name)
{
    auto *check = new QCheckBox(caption, this);
    check->setObjectName(QLatin1String(name));
    connect(check, &QCheckBox::clicked, &form_, [this, box](bool on) { form_.setChecked(box, on); });
    checks_[box] = check;
    return check;
}

QWidget *SettingsWindow::buildSwitches()
{
    using C = SettingsForm::Check;
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 8, 0, 0);
    column->addWidget(checkBox(C::MultiFile, QStringLiteral("Print Manager"), "multi_print"));
    column->addWidget(checkBox(C::DirectDepartment, QStringLiteral("Direct Deparment"), "dirdep"));
    column->addWidget(checkBox(C::Description, QStringLiteral("Mε Περιγραφη"), "descreption"));
    column->addWidget(checkBox(C::Comments, QStringLiteral("Mε Σχολια"), "comments"));
    column->addWidget(checkBox(C::QuantityInDescription, QStringLiteral("Mε Εκτυπωση Ποσοτητας"), "quantity"));
    column->addWidget(checkBox(C::KeyboardLocked, QStringLiteral("Κλειδωμενο Πληκτρολογιο"), "keyb_locked"));
    column->addWidget(checkBox(C::AutoStart, QStringLiteral("Αυτόματη Έναρξη Εκτυπώσεων"), "ChkAuto"));
    return panel;
}

QWidget *SettingsWindow::buildPrintCode()
{
    using C = SettingsForm::Check;
    auto *frame = new QGroupBox(QStringLiteral("Εκτυπωση Κωδικου Ειδους"), this);
    auto *column = new QVBoxLayout(frame);
    column->addWidget(checkBox(C::ItemCodeAsText, QStringLiteral("Με Εκτυπωση Κωδικου Ascii"), "print_code_ascii"));
    column->addWidget(
        checkBox(C::ItemCodeAsNumber, QStringLiteral("Mε Εκτυπωση Κωδικου Αριθμητικου"), "print_code_numeric"));
    return frame;
}

QWidget *SettingsWindow::buildSettlement()
{
    auto *frame = new QGroupBox(QStringLiteral("Τροπος Εξοφλησης Αποδειξης"), this);
    auto *column = new QVBoxLayout(frame);
    const std::array<std::pair<const char *, QString>, 3> options = {{
        {"total_file", QStringLiteral("Οπως Στο Αρχειο")},
        {"total_1", QStringLiteral("Παντα Κυριο Νομισμα")},
        {"total_2", QStringLiteral("Παντα Δευτερευων")},
    }};
    for (int i = 0; i < static_cast<int>(options.size()); ++i) {
        auto *option = new QRadioButton(options[i].second, frame);
        option->setObjectName(QLatin1String(options[i].first));
        settlement_->addButton(option, i);
        column->addWidget(option);
    }
    return frame;
}

QWidget *SettingsWindow::buildVatRates()
{
    auto *frame = new QGroupBox(QStringLiteral("Κατηγορίες ΦΠΑ"), this);
    auto *rows = new QFormLayout(frame);
    const std::array<QString, SettingsForm::kVatBoxes> captions = {
        QStringLiteral("Κατηγορία Α'"), QStringLiteral("Κατηγορία Β'"), QStringLiteral("Κατηγορία Γ'"),
        QStringLiteral("Κατηγορία Δ'"), QStringLiteral("Κατηγορία Ε'"),
    };
    for (int i = 0; i < SettingsForm::kVatBoxes; ++i) {
        vat_[i] = textBox("txtVatRate", kVatLimit);
        vat_[i]->setAlignment(Qt::AlignRight);
        fitWidth(vat_[i], kVatLimit + 1);
        new SelectOnFocus(vat_[i]);
        rows->addRow(captions[i], vat_[i]);
    }
    return frame;
}

void SettingsWindow::render()
{
    const ParamFileValues &v = form_.values();
    showText(comtxt_, v.port, kPortLimit);
    showText(baudtxt_, v.baud, kBaudLimit);
    baudtxt_->setVisible(form_.baudVisible());
    showText(filetxt_, v.file, kFileLimit);
    showText(location_, v.location, kNoLimit);
    if (typetxt_->currentText() != v.model)
        typetxt_->setCurrentText(v.model);
    for (auto [box, check] : checks_)
        check->setChecked(form_.isChecked(box));
    if (QAbstractButton *option = settlement_->button(v.currency)) {
        option->setChecked(true);
    } else if (QAbstractButton *checked = settlement_->checkedButton()) {
        // No option selected: an exclusive group cannot show that otherwise.
        settlement_->setExclusive(false);
        checked->setChecked(false);
        settlement_->setExclusive(true);
    }
    const QStringList boxes = form_.vatBoxes();
    for (int i = 0; i < SettingsForm::kVatBoxes; ++i)
        showText(vat_[i], boxes.value(i), kVatLimit);
}

QSize SettingsWindow::sizeHint() const { return content_->sizeHint(); }

void SettingsWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves without saving, as closing the window does.
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void SettingsWindow::closeEvent(QCloseEvent *event)
{
    form_.close();
    event->accept();
}

} // namespace merovan
