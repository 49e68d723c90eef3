#include "device/transport/serial_device_name.h"

#include <QtGlobal>

namespace merovan {

QString serialDeviceName(const QString &portName)
{
    if (!portName.startsWith(QLatin1String("com"), Qt::CaseInsensitive))
        return {};
    bool ok = false;
    const uint number = portName.mid(3).toUInt(&ok);
    if (!ok || number == 0)
        return {};

    const QString override = qEnvironmentVariable(qPrintable(QStringLiteral("MEROVAN_COM%1").arg(number)));
    if (!override.isEmpty())
        return override;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

} // namespace merovan
