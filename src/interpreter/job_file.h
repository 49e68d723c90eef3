#pragma once

#include "interpreter/file_identity.h"
#include "settings/param_file.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace merovan {

// The two header lines a job may carry anywhere in its text.
struct JobHeader {
    QString resultFile = QStringLiteral("Result");
    QString tag = QStringLiteral("Unknown");
};

// The first "resFile:" and "tag:" of the text (case-sensitive); the value
// starts two characters after the colon and runs to the next CR LF. A key
// with no CR LF after it counts as missing.
JobHeader readJobHeader(const QString &text);

// The header of a job file that will not be run, from its first 64 KiB;
// the defaults when not even that can be read.
JobHeader readJobHeaderOnly(const QString &path);

// A job file read whole as Windows-1253 text and split into its lines; a
// NUL or any other control byte is an ordinary character of its line.
// nullopt when it is not a regular file, cannot be read or is larger than
// any receipt could be, so the caller can report it instead of running it.
struct JobText {
    QString text;
    QStringList lines;
    // Of the very bytes read, so that the file can be told apart from a
    // new job written under its name meanwhile.
    FileIdentity identity;
};
std::optional<JobText> readJobFile(const QString &path, QString &whyNot);

// How a keyword is compared with its columns.
enum class KeywordCase {
    AnyCase,      // upper- or lower-cased before comparing
    LowerCase,    // exactly as written in lower case
    UpperOrLower, // exactly upper or exactly lower case, never mixed
};
bool keywordMatches(const QString &line, const QString &keyword, KeywordCase rule);

// Whether a job's text (its lines as CR LF splits them) holds a line that
// can close the fiscal day: the Z report ("MKZ"), or a raw command or key
// sequence ("snd", "PRG"), which can be anything the register takes.
bool jobCanCloseFiscalDay(const QString &text);

// Comments are on when the setting reads "true" or "TRUE".
bool commentsOn(SettingSwitch setting);

} // namespace merovan
