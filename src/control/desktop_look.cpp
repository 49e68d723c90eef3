#include "control/desktop_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

namespace merovan {

namespace {

bool writesGreek(const QString &family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Greek);
}

} // namespace

void useGreekFont()
{
    QFont font = QApplication::font();
    if (writesGreek(font.family()))
        return;
    const QStringList greek = QFontDatabase::families(QFontDatabase::Greek);
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    if (greek.contains(dejaVu))
        font.setFamily(dejaVu);
    else if (!greek.isEmpty())
        font.setFamily(greek.constFirst());
    QApplication::setFont(font);
}

QPixmap programIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4e, 0x79));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 5.0, size / 5.0);
    // A strip of receipt paper behind the initial.
    painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter.drawRect(QRectF(size * 0.62, size * 0.18, size * 0.2, size * 0.64));
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(size * 5 / 8);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(size * 0.06, 0, size * 0.6, size), Qt::AlignCenter, QStringLiteral("M"));
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace merovan
