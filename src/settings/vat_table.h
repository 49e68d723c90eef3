#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>

namespace merovan {

// The five VAT rates of the register's categories A to E, in percent, kept
// in "vats.dat" as five little-endian IEEE doubles (40 bytes, no header).
// Category number n, as the register counts them, is index n - 1.
//
// Decimal separator: the boxes of the settings window take both "," and "."
// as the decimal separator and always show the locale's, so a rate typed
// either way stores the same number on a comma system and on a point
// system alike. On a comma system this is exactly "every point becomes a
// comma".
using VatRates = std::array<double, 5>;

// The file of the rates, in the working folder.
inline const QString kVatRatesFile = QStringLiteral("vats.dat");

// The rate of category index 0..4, read as record index + 1 of 8-byte
// records. 0 for any other index, a missing or unreadable file, or a file
// that ends before the record. Never creates the file.
double readVatRate(const QString &path, int index);

// Whether the file holds the five rates and can be read; when it cannot,
// every rate reads as 0.
bool vatFileReadable(const QString &path);

// The five box texts of the settings window. A missing file is created
// empty; a short file reads as zeros beyond its end. Each rate is shown with
// no fixed number of decimals and the locale's separator ("24", "6,5");
// every box is "0" when the file cannot be opened.
QStringList vatBoxTexts(const QString &path, QChar decimalSeparator);

// Turns the box texts into rates, box by box in order: both separators in
// the box become the locale's, the box gets that text back, and it is
// converted. The first box that is not a number (empty, letters) stops the
// collection with -1; it and the boxes before it keep their rewritten text,
// and the rates before it are already stored. 0 on success. Any number is
// accepted, negative or above 100 included.
int collectVatRates(QStringList &boxes, VatRates &rates, QChar decimalSeparator);

// Writes the five rates from offset 0; a longer file keeps its bytes beyond
// the fortieth. 0, or -1 on any file error.
int saveVatRates(const QString &path, const VatRates &rates);

// The settings window's messages when collecting or saving fails.
inline QString vatBoxesErrorText() { return QStringLiteral("Λάθος στίς κατηγορίες ΦΠΑ!"); }
inline QString vatSaveErrorText() { return QStringLiteral("Λάθος κατά την αποθήκευση τών κατηγορίών ΦΠΑ!"); }

} // namespace merovan
