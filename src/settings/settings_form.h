#pragma once

#include "settings/param_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace merovan {

class Clock;
class Operator;

// The settings window "Παράμετροι Merovan" (frmparam) without a widget: the
// value of every control, the rules that tie them together, and the save
// that rewrites param.ini and vats.dat. The widget renders it on changed()
// and forwards every edit and click.
//
// The window keeps nothing from one opening to the next: what it shows
// comes from the two files, what it saves goes back to them. Opening holds
// the main window's search and closing lets it run again (opened(),
// closed()); a finished save asks for a restart and ends the program
// (saved()), because the running bridge does not take new settings over.
//
// Two choices where the behaviour was open:
// - A param.ini without a [baud] line leaves the baud box as it was:
//   "9600", the usual speed of the register's serial line, when the window
//   opens, and "0" after restore. For a network register the box is hidden
//   and the save writes the port number 5012 anyway.
// - The model list offers "MikroPos" and "Pos21"; "Pos21" is saved as the
//   Poseidon 21 ("[ecrt] pos21"), so that the entry the operator picks, or
//   the model a file was opened with, is the model written back.
class SettingsForm : public QObject {
    Q_OBJECT
public:
    // The check boxes, by the settings they carry.
    enum class Check {
        MultiFile,             // multi_print, [multi type]
        DirectDepartment,      // dirdep, [dir_depa]
        Description,           // descreption, [print_desc]
        ItemCodeAsText,        // print_code_ascii, [print_code] true A
        ItemCodeAsNumber,      // print_code_numeric, [print_code] true N
        Comments,              // comments, [comments]
        QuantityInDescription, // quantity, [quantity]
        KeyboardLocked,        // keyb_locked, [keyb_off]
        AutoStart,             // ChkAuto, [AutoStar]
    };

    static constexpr int kVatBoxes = 5;

    SettingsForm(Operator &op, const Clock &clock, QString paramPath = QStringLiteral("param.ini"),
                 QString vatPath = QStringLiteral("vats.dat"), QObject *parent = nullptr);

    // The entries of the model list (typetxt).
    static QStringList modelEntries();

    // What the controls hold: port (comtxt), baud (baudtxt), file (filetxt),
    // model (typetxt's text), location, the check boxes and the settlement
    // option (currency 0..2, -1 while none is selected).
    const ParamFileValues &values() const { return values_; }
    // An address with "." is a network register: it has no baud rate.
    bool baudVisible() const { return !values_.port.contains(QLatin1Char('.')); }
    bool isChecked(Check box) const;
    // The five VAT boxes (txtVatRate), categories A to E.
    QStringList vatBoxes() const { return vatBoxes_; }

    void setPort(const QString &text);
    void setBaud(const QString &text);
    void setFile(const QString &text);
    void setModel(const QString &text);
    void setLocation(const QString &text);
    // The two print-code boxes exclude each other: ticking one unticks the
    // other; unticking one leaves the other as it is.
    void setChecked(Check box, bool on);
    void setCurrency(int option);
    void setVatBox(int index, const QString &text);

    // Fills the controls from the two files.
    void open();
    // Discards the edits: the defaults, then whatever the files state.
    void restore();
    // OK: writes param.ini, then the VAT rates, tells the operator to
    // restart and closes. False when it stopped on the way (param.ini not
    // written, a VAT box that is not a number); the window then stays open.
    bool save();
    // The window closes, by its close box or after a save.
    void close();

Q_SIGNALS:
    void changed();
    void opened();
    void closed();
    void saved();

private:
    void load();
    void apply(const ParamReading &reading);

    Operator &op_;
    const Clock &clock_;
    QString paramPath_;
    QString vatPath_;
    ParamFileValues values_;
    QStringList vatBoxes_;
    bool open_ = false;
};

// The message shown when param.ini cannot be written.
inline QString paramWriteErrorText() { return QStringLiteral("Αδυναμία εγγραφής του param.ini!"); }

// The save's last word before the program ends, and its caption.
inline QString restartText()
{
    return QStringLiteral("Πρεπει να επανεκκινησετε το Merovan για ενεργοποιηση των μεταβολων ");
}
inline QString restartCaption() { return QStringLiteral("Merovan-Προσοχη"); }

} // namespace merovan
