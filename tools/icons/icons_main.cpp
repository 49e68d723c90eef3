// merovan-icons FOLDER: draws the program's icon as the icon theme's files,
// FOLDER/NxN/apps/merovan.png for each size a menu or a panel asks for.
#include "control/desktop_look.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: merovan-icons FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = folder.filePath(apps + QStringLiteral("/merovan.png"));
        if (!folder.mkpath(apps) || !merovan::programIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "merovan-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
