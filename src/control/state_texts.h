#pragma once

#include <QString>

// The caption and status line of each state of the main window. Some are
// spelt without accents on purpose: hosts watch for these exact texts.
namespace merovan::state {

inline QString searchingCaption() { return QStringLiteral("Merovan- Αναζήτηση"); }
inline QString searchingStatus() { return QStringLiteral("Εύρεση Φορολογικής Ταμειακής !!! "); }
inline QString offlineCaption() { return QStringLiteral("Merovan- Λάθος!"); }
inline QString offlineStatus() { return QStringLiteral("Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !"); }
inline QString readyCaption() { return QStringLiteral("Merovan- Έτοιμο"); }
inline QString readyStatus() { return QStringLiteral("Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις"); }
inline QString waitingCaption() { return QStringLiteral("Merovan- Αναμονή"); }
inline QString waitingStatus() { return QStringLiteral("Αναμονή Για Στοιχεία...."); }
inline QString waitingAfterJobCaption() { return QStringLiteral("Merovan- Αναμονη"); }
inline QString waitingAfterJobStatus() { return QStringLiteral("Αναμονη Για Στοιχεια...."); }
inline QString stoppedCaption() { return QStringLiteral("Merovan- Διακόπηκε"); }
inline QString stoppedStatus() { return QStringLiteral("Διακοπή Εκτυπώσεων. Πατήστε Έναρξη Εκτυπώσεων!!!"); }
// Not one of the original's texts: the job folder is gone (a network share
// that dropped); jobs are taken again when it is back.
inline QString missingFolderStatus(const QString &folder)
{
    return QStringLiteral("Ο φάκελος εργασιών δεν βρέθηκε: ") + folder;
}

} // namespace merovan::state
