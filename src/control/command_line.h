#pragma once

#include "settings/param_file.h"

#include <QString>

#include <array>

namespace merovan {

// Splits a command line into its six fields. Every "," and every " " is a
// separator; only the first five are placed, so the sixth field keeps
// everything after the fifth. A field that ends up empty reads "e".
std::array<QString, 6> splitCommandLine(const QString &commandLine);

// The settings that a command line gives instead of param.ini.
struct CommandLineSettings {
    ParamSettings settings;
    QString connectionText;
    QString baud;
};

// What is wrong with a command line that settingsFromCommandLine refuses:
// an option that is none of ours, too few fields, a short flags field.
QString commandLineProblem(const QString &commandLine);

// Builds the settings from the six fields; false when the
// sixth field (the seven flag characters) is shorter than 7 characters.
bool settingsFromCommandLine(const std::array<QString, 6> &fields, CommandLineSettings &out);

} // namespace merovan
