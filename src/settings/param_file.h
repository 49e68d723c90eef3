#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace merovan {

// A yes/no line as the program reads it. Only exact words count, and the
// places that read a switch differ on the rest: "true" is on and "fals" (the
// first four letters of "false") is off everywhere; "TRUE" turns comments
// on and nothing else; any other text, or no line, is neither: the job
// treats it as off where it asks for "true" and as on where it asks for not
// "fals", the main window's labels and the settings window as off.
enum class SettingSwitch { On, Off, OnInCapitals, Neither };

SettingSwitch settingSwitch(const QString &text);

// [print_code]: whether an item line sends its code, and how.
enum class ItemCodePrinting {
    AsNumber, // "true N": looked up by number
    AsText,   // "true A": looked up as text
    None,     // "fals...": no code
    Unset,    // anything else: no code; the settings window leaves its boxes as they are
};

ItemCodePrinting itemCodePrinting(const QString &text);

// [ecrt]: the register model, where it matters (a Poseidon 21 prints the
// quantity inside the description, and no text on an adjustment).
enum class RegisterType { Mikro, Poseidon21, Other };

RegisterType registerType(const QString &text);

// [currency]: which payment type a "to" line pays with. In the order of
// their digits; the settings window offers the first three.
enum class CurrencyRule {
    AsInJob,   // "0": the line's own type; labelled main currency
    Main,      // "1": always type 1
    Secondary, // "2": the job's first "to" pays the rest with type 2, the others are ignored
    Third,     // "3": always type 3 (the settings window never writes it)
    Unset,     // anything else: the line's own type; the label is left as it is
};

CurrencyRule currencyRule(const QString &text);

// The settings, read once from param.ini (or a command line), typed. A key
// without its line keeps the value a missing key has always meant.
struct ParamSettings {
    QString file;                                                   // [file]
    RegisterType registerType = RegisterType::Other;                // [ecrt]
    SettingSwitch multiFile = SettingSwitch::Neither;               // [multi type]
    SettingSwitch printDescription = SettingSwitch::Neither;        // [print_desc]
    ItemCodePrinting itemCode = ItemCodePrinting::Unset;            // [print_code]
    SettingSwitch comments = SettingSwitch::Neither;                // [comments]
    CurrencyRule currency = CurrencyRule::Unset;                    // [currency]
    SettingSwitch keyboardLocked = SettingSwitch::Neither;          // [keyb_off]
    SettingSwitch directDepartment = SettingSwitch::Neither;        // [dir_depa]
    SettingSwitch quantityInDescription = SettingSwitch::Neither;   // [quantity]
    QString location;                                               // [location]
};

// The three places that read param.ini; they cut [port] and [baud]
// differently and only some of them look at the automatic-start line.
enum class ParamReader { Startup, PollingTick, SettingsWindow };

// What a reader leaves behind. connectionText, baud and autoStart start from
// the caller's values, because a reading only changes what its lines say.
// Every reader puts the [baud] value in baud, the settings window's too, so
// that its baud box can show it; settings starts empty at each reading.
struct ParamReading {
    ParamSettings settings;
    QString connectionText;
    QString baud;
    bool autoStart = false;
};

// Applies the lines of a param.ini as the given reader does.
void readParamLines(const QStringList &lines, ParamReader reader, ParamReading &reading);

// The settings file, in the working folder.
inline const QString kParamFile = QStringLiteral("param.ini");

// The file's lines (Windows-1253, CR or CR LF line ends taken off); nothing
// when it cannot be read.
std::optional<QStringList> readParamFileLines(const QString &path);

// Reads the file (Windows-1253, CR LF). False when it cannot be opened;
// the reading is then left as it was.
bool readParamFile(const QString &path, ParamReader reader, ParamReading &reading);

// The values the settings window saves.
struct ParamFileValues {
    QString port;
    QString baud;
    QString file;
    QString model;            // the model box's text: "MikroPos", "Poseidon 21", ...
    bool multiFile = false;
    bool printDescription = false;
    bool itemCodeAsText = false;
    bool itemCodeAsNumber = false;
    bool comments = false;
    int currency = -1;        // 0, 1, 2; -1 when no option is selected
    bool keyboardLocked = false;
    bool directDepartment = false;
    bool quantityInDescription = false;
    bool autoStart = false;
    QString location;
};

// The complete file, line by line, in the order the program always writes it.
QStringList paramFileLines(const ParamFileValues &values, const QDate &today);

// Replaces the file with those lines (Windows-1253, CR LF), keeping the
// host API's lines of the file it replaces after them: the settings window
// does not show those. False on failure.
bool writeParamFile(const QString &path, const ParamFileValues &values, const QDate &today);

} // namespace merovan
