#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace merovan {

// The settings record: one text value per key of param.ini, exactly as cut
// from its line (not converted). Consumers compare with fixed words such as
// "true"; a missing key is the empty text.
struct ParamSettings {
    QString file;       // [file]
    QString code;       // [code]
    QString ecrt;       // [ecrt]
    QString multiType;  // [multi type]
    QString time;       // [time]
    QString printDesc;  // [print_desc]
    QString printCode;  // [print_code]
    QString comments;   // [comments]
    QString currency;   // [currency]
    QString keybOff;    // [keyb_off]
    QString dirDepa;    // [dir_depa]
    QString quantity;   // [quantity]
    QString location;   // [location]
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

// Reads the file (Windows-1253, CR LF). False when it cannot be opened;
// the reading is then left as it was.
bool readParamFile(const QString &path, ParamReader reader, ParamReading &reading);

// The values the settings window saves.
struct ParamFileValues {
    QString port;
    QString baud;
    QString file;
    QString model;            // the model box's text: "MikroPos", "Poseidon 21", ...
    bool multi = false;
    bool printDesc = false;
    bool printCodeAscii = false;
    bool printCodeNumeric = false;
    bool comments = false;
    int currency = -1;        // 0, 1, 2; -1 when no option is selected
    bool keybOff = false;
    bool dirDepa = false;
    bool quantity = false;
    bool autoStart = false;
    QString location;
};

// The complete file, line by line, in the order the program always writes it.
QStringList paramFileLines(const ParamFileValues &values, const QDate &today);

// Replaces the file with those lines (Windows-1253, CR LF). False on failure.
bool writeParamFile(const QString &path, const ParamFileValues &values, const QDate &today);

} // namespace merovan
