#include "core/launcher.h"

#include <QProcess>

namespace merovan {

void startDetachedProgram(const QString &program, const QStringList &arguments)
{
    if (program == QStringLiteral("notepad"))
        QProcess::startDetached(QStringLiteral("xdg-open"), arguments);
    else if (program.endsWith(QStringLiteral(".bat"), Qt::CaseInsensitive))
        QProcess::startDetached(QStringLiteral("/bin/sh"), QStringList{program} + arguments);
    else
        QProcess::startDetached(program, arguments);
}

} // namespace merovan
