#include "settings/param_file.h"

#include "greek/cp1253.h"
#include "settings/http_settings.h"

#include <QFile>

namespace merovan {

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

// The [ecrt] code of the model box's text; empty for a model the register
// code does not know, which then gets no line at all.
QString modelCode(const QString &model)
{
    const QString name = model.toLower();
    if (name == QLatin1StringView("mikropos"))
        return QStringLiteral("mikro");
    if (name == QLatin1StringView("poseidon 21"))
        return QStringLiteral("pos21");
    if (name == QLatin1StringView("tec  fiscal printer"))
        return QStringLiteral("TECFP");
    return {};
}

} // namespace

QStringList paramFileLines(const ParamFileValues &values, const QDate &today)
{
    QStringList lines;
    lines << QStringLiteral("# Set up for merovan program")
          << QStringLiteral("Created by  Merovan on ") + today.toString(QStringLiteral("MM-dd-yyyy"))
          << QStringLiteral("# Serial port setup. This can be Com1 or Com2,Com3,Com4 ")
          << QStringLiteral("[port] ") + values.port.toLower()
          << QStringLiteral("# Baud rate setup. This usually is 9600. Valid baude rates are : 19200,9600")
          << QStringLiteral("# 4800,2400,1200. It can go low as 120 but with not tested results.")
          << QStringLiteral("[baud] ") + values.baud.toLower()
          << QStringLiteral("# The file that the main application is exchanging data with quorvel.")
          << QStringLiteral("# Depending on the application this can be managed to process receipts in a row.")
          << QStringLiteral("# Setup the application to generate  \\myapp\\print.1 and merovan will")
          << QStringLiteral("# try to see if pending receipts are in files \\myapp\\print.2 ... print.10")
          << QStringLiteral("# This has also to do with [multi type] on or off")
          << QStringLiteral("[file] ") + values.file
          << QString()
          << QStringLiteral("# yes or no Depending on type structure")
          << QStringLiteral("[code] no")
          << QStringLiteral("# Type of machine");
    if (const QString code = modelCode(values.model); !code.isEmpty())
        lines << QStringLiteral("[ecrt] ") + code;
    lines << QStringLiteral("[multi type] ") + flag(values.multiFile)
          << QStringLiteral("[time] 0")
          << QStringLiteral("[subtotal] yes")
          << QStringLiteral("[print_desc] ") + flag(values.printDescription);
    if (values.itemCodeAsText)
        lines << QStringLiteral("[print_code] true A");
    if (values.itemCodeAsNumber)
        lines << QStringLiteral("[print_code] true N");
    if (!values.itemCodeAsText && !values.itemCodeAsNumber)
        lines << QStringLiteral("[print_code] falseN");
    lines << QStringLiteral("[comments] ") + flag(values.comments);
    if (values.currency >= 0 && values.currency <= 2)
        lines << QStringLiteral("[currency]=") + QString::number(values.currency);
    // "true " keeps its trailing space: it pads the value to the width of "false".
    lines << (values.keyboardLocked ? QStringLiteral("[keyb_off]=true ") : QStringLiteral("[keyb_off]=false"))
          << QStringLiteral("[dir_depa]=") + flag(values.directDepartment)
          << QStringLiteral("[quantity]=") + flag(values.quantityInDescription)
          << (values.autoStart ? QStringLiteral("[AutoStar]=yes") : QStringLiteral("[AutoStar]=no"))
          << QStringLiteral("################################")
          << QStringLiteral("# Customer Specific Parameters #")
          << QStringLiteral("################################")
          // The blank that restore puts in the box means no folder: saved
          // as it stood, it would become part of every job path.
          << QStringLiteral("[location] ") + values.location.trimmed()
          << QStringLiteral("# End of parameter file #");
    return lines;
}

bool writeParamFile(const QString &path, const ParamFileValues &values, const QDate &today)
{
    QStringList lines = paramFileLines(values, today);
    if (const std::optional<QStringList> old = readParamFileLines(path)) {
        for (const QString &line : *old) {
            if (isHttpSettingLine(line))
                lines << line;
        }
    }
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += toCp1253(line) + "\r\n";
    // Rewritten in place rather than renamed over: the main window may hold
    // the file open for reading between its polling ticks.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace merovan
