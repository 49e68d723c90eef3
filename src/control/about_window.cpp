#include "control/about_window.h"

#include "control/desktop_look.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace merovan {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Περί Merovan"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *title = new QLabel(QStringLiteral("Merovan"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto *version = new QLabel(QStringLiteral("Έκδοση %1").arg(QStringLiteral(MEROVAN_VERSION)), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description = new QLabel(
        QStringLiteral("Γέφυρα ανάμεσα στην εφαρμογή ταμείου και τη φορολογική ταμειακή μηχανή. "
                       "Παίρνει τις εργασίες από αρχεία, τις στέλνει στην ταμειακή και γράφει "
                       "το αποτέλεσμα για την εφαρμογή."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    description->setMinimumWidth(description->fontMetrics().averageCharWidth() * 44);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(6);
    texts->addWidget(description);
    auto *body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(8);
    body->addLayout(texts, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace merovan
