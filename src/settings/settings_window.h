#pragma once

#include "settings/settings_form.h"

#include <QWidget>

#include <array>
#include <map>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace merovan {

// frmparam, "Παράμετροι Merovan": renders a SettingsForm and forwards every
// edit and click to it. Not modal; closing it (or Escape) closes the form
// without saving.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit SettingsWindow(SettingsForm &form, QWidget *parent = nullptr);

    // What the content asks for; the window may be smaller, and scrolls.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildConnection();
    QWidget *buildSwitches();
    QWidget *buildPrintCode();
    QWidget *buildSettlement();
    QWidget *buildVatRates();
    QCheckBox *checkBox(SettingsForm::Check box, const QString &caption, const char *name);
    QLineEdit *textBox(const char *name, int limit);
    void render();

    SettingsForm &form_;
    QLineEdit *comtxt_;
    QLineEdit *baudtxt_;
    QLineEdit *filetxt_;
    QComboBox *typetxt_;
    QLineEdit *location_;
    std::map<SettingsForm::Check, QCheckBox *> checks_;
    QButtonGroup *settlement_;
    std::array<QLineEdit *, SettingsForm::kVatBoxes> vat_{};
    QWidget *content_;
};

} // namespace merovan
