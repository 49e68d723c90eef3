#include "device/error_codes.h"

#include "core/numeric_text.h"

#include <QHash>

namespace merovan {

namespace {

const QHash<QString, QString> &errorTable()
{
    static const QString callTechnician = QStringLiteral("\rΚαλέστε τεχνικό !");
    static const QHash<QString, QString> table = {
        {QStringLiteral("-3"), QStringLiteral("Ελέγξτε την σύνδεση!")},
        {QStringLiteral("-99"), QStringLiteral("Γενικό σφάλμα επικοινωνίας!")},
        {QStringLiteral("1"), QStringLiteral("Επαλήθευση Χειριστή ! (90 Μερ.Σύνολο)")},
        {QStringLiteral("2"), QStringLiteral("σε Πληρωμή Τραπεζιού!")},
        {QStringLiteral("3"), QStringLiteral("Υποχρεωτικό Μερ. Σύνολο !")},
        {QStringLiteral("4"), QStringLiteral("Υπέρβαση Ορίου Εισαγωγής !")},
        {QStringLiteral("5"), QStringLiteral("Δεν επιτρέπετε η Αλλαγή!")},
        {QStringLiteral("6"), QStringLiteral("Λάθος Χειρισμός !")},
        {QStringLiteral("7"), QStringLiteral("Πρόβλημα στην Φορολογική Μνήμη !") + callTechnician},
        {QStringLiteral("8"), QStringLiteral("Πρόβλημα στην μνήμη Ram !") + callTechnician},
        {QStringLiteral("9"), QStringLiteral("Πρόβλημα στόν Εκτυπωτή !") + callTechnician},
        {QStringLiteral("10"), QStringLiteral("Πρόβλημα στην μνήμη Rom !") + callTechnician},
        {QStringLiteral("12"), QStringLiteral("Χαμηλή τάση Μπαταρίας !")},
        {QStringLiteral("14"), QStringLiteral("Πρόβλημα στην οθόνη !") + callTechnician},
        {QStringLiteral("20"), QStringLiteral("Τέλος Φορολογικής Μνήμης !")},
        {QStringLiteral("21"), QStringLiteral("Λανθασμένη Ημερομηνία / Ώρα!")},
        {QStringLiteral("23"), QStringLiteral("Λάθος Ημερομηνία / Ώρα !\rΠατήστε 'Διαγραφή' !")},
        {QStringLiteral("40"), QStringLiteral("Πρόβλημα στην μνήμη Ram κατα την Συναλλαγή!")},
        {QStringLiteral("50"), QStringLiteral("Παράσιτα στην γραμμή Επικοινωνίας !")},
        {QStringLiteral("51"), QStringLiteral("Parity Λάθος (Επικοινωνία) !")},
        {QStringLiteral("52"), QStringLiteral("Λάθος Έκπτωση / Επιβάρυνση !")},
        {QStringLiteral("53"), QStringLiteral("Framing Error (Λάθος Επικοινωνία) !")},
        {QStringLiteral("54"), QStringLiteral("Πρόβλημα στην Επικοινωνία με τον Η/Υ !")},
        {QStringLiteral("57"), QStringLiteral("Λανθασμένη Λειτουργία  !")},
        {QStringLiteral("59"), QStringLiteral("Χρειάζεται κωδικός Χειριστή !")},
        {QStringLiteral("69"), QStringLiteral("Λάθος στοιχεία απο τον Η/Υ !")},
        {QStringLiteral("84"), QStringLiteral("Λάθος Κωδικός Bar-Code !")},
        {QStringLiteral("1005"), QStringLiteral("Λάθος Ποσότητα!")},
        {QStringLiteral("1011"), QStringLiteral("Λάθος Αξία!")},
        {QStringLiteral("1014"), QStringLiteral("Απαγόρευση Μετρητών!")},
        {QStringLiteral("1031"), QStringLiteral("Υποχρεωτική έκδοση Ζ (Πέρασαν 24 Ώρες)!")},
        {QStringLiteral("1038"), QStringLiteral("Ανοικτή Απόδειξη, Υποχρεωτική Εξόφληση!")},
        {QStringLiteral("1044"), QStringLiteral("Υπέρβαση Έκπτωσης!")},
        {QStringLiteral("1064"), QStringLiteral("Τέλος Χαρτιού!")},
        {QStringLiteral("1091"), QStringLiteral("Υπέρβαση Ορίου τιμής!")},
        {QStringLiteral("1138"), QStringLiteral("Καταχώρηση σε εξέλιξη, ολοκληρώστε απο την ταμειακή!")},
    };
    return table;
}

} // namespace

QString registerErrorText(const QString &text)
{
    QString word = text.section(QLatin1Char(' '), 0, 0);
    if (word.startsWith(QStringLiteral("DE")))
        word.remove(QStringLiteral("DE"));
    if (!isNumeric(word))
        return text;
    // Exact text lookup: "7" is known, "0007" is shown as it stands.
    return errorTable().value(word, word);
}

} // namespace merovan
