// merovan-examples OUTDIR CHANGELOG: writes the example param.ini, vats.dat
// and payeft.dat that the package installs, as "--init" writes them for
// /var/lib/merovan/shop1, dated with the package's latest changelog entry
// so that a build repeats byte for byte.
#include "control/register_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace merovan;

namespace {

// The date of the first " -- NAME <MAIL>  DATE" line.
QDate changelogDate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("-- ")))
            return QDateTime::fromString(line.section(QStringLiteral("  "), 1), Qt::RFC2822Date).date();
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: merovan-examples OUTDIR CHANGELOG\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QDate date = changelogDate(QString::fromLocal8Bit(argv[2]));
    QStringList written;
    QString whyNot;
    if (!date.isValid() || !QDir().mkpath(out)) {
        std::fputs("merovan-examples: no date in the changelog, or no output folder\n", stderr);
        return 1;
    }
    for (const QString &name : {kParamFile, kVatRatesFile, kPaymentTypesFile})
        QFile::remove(QDir(out).filePath(name));
    if (!writeExampleFiles(out, QStringLiteral("/var/lib/merovan/shop1/jobs"), date, written, whyNot)) {
        std::fprintf(stderr, "merovan-examples: %s\n", qPrintable(whyNot));
        return 1;
    }
    return 0;
}
