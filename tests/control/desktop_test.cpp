#include "control/desktop.h"

#include "bridge_fixture.h"
#include "control/desktop_look.h"
#include "control/main_window.h"
#include "control/menu_tree.h"
#include "control/tray_icon.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace merovan {
namespace {

using test::BridgeTest;
using test::kParamIni;

class DesktopTest : public BridgeTest {
protected:
    DesktopTest()
    {
        writeParam(kParamIni);
        bridge.start({});
    }

    // The shown top-level window of that name, or none.
    static QWidget *shownWindow(const QString &name)
    {
        QWidget *found = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == name && w->isVisible()) {
                EXPECT_EQ(found, nullptr) << "one window " << name.toStdString();
                found = w;
            }
        }
        return found;
    }

    Desktop desktop{op, bridge, log};
};

TEST_F(DesktopTest, TheMainWindowOffersNoCloseAndNoSize)
{
    MainWindow &main = desktop.mainWindow();
    const Qt::WindowFlags flags = main.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_EQ(main.minimumSize(), main.maximumSize());
    EXPECT_TRUE(main.isVisible());
}

TEST_F(DesktopTest, SettingsOpensOnceAndHoldsTheSearchUntilClosed)
{
    bridge.trigger(QStringLiteral("param"));
    QWidget *settings = shownWindow(QStringLiteral("frmparam"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("Παράμετροι Merovan"));
    EXPECT_FALSE(bridge.timer2Active());

    bridge.trigger(QStringLiteral("param"));
    EXPECT_EQ(shownWindow(QStringLiteral("frmparam")), settings);

    settings->close();
    EXPECT_TRUE(bridge.timer2Active());
    EXPECT_EQ(shownWindow(QStringLiteral("frmparam")), nullptr);
}

TEST_F(DesktopTest, PaymentTypesDisableTheMainWindowWhileOpen)
{
    bridge.trigger(QStringLiteral("paramEft"));
    QWidget *payments = shownWindow(QStringLiteral("frmEFT"));
    ASSERT_NE(payments, nullptr);
    EXPECT_EQ(payments->windowTitle(), QStringLiteral("Πληρωμές Καρτών"));
    EXPECT_FALSE(desktop.mainWindow().isEnabled());
    EXPECT_EQ(payments->pos(), desktop.mainWindow().pos() + QPoint(17, 33));

    payments->close();
    EXPECT_TRUE(desktop.mainWindow().isEnabled());
}

TEST_F(DesktopTest, AboutShowsTitleAndVersion)
{
    bridge.trigger(QStringLiteral("about"));
    QWidget *about = shownWindow(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Περί Merovan"));
    EXPECT_EQ(about->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Merovan"));
    const QString version = about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
    EXPECT_TRUE(version.startsWith(QStringLiteral("Έκδοση 4."))) << version.toStdString();
    about->close();
}

TEST_F(DesktopTest, TheTrayMenuFollowsItsTableAndTheCheckMarks)
{
    QMenu *menu = desktop.trayIcon().menu();
    QStringList captions;
    for (QAction *a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QStringList table;
    for (const MenuEntry &entry : trayMenu())
        table << entry.caption;
    EXPECT_EQ(captions, table);
    EXPECT_FALSE(desktop.trayIcon().action(QStringLiteral("mZREp"))->isEnabled());

    bridge.searchTick();
    desktop.trayModel().upkeep();
    EXPECT_FALSE(desktop.trayIcon().action(QStringLiteral("pStart"))->isChecked());
    EXPECT_TRUE(desktop.trayIcon().action(QStringLiteral("pStop"))->isChecked());

    desktop.trayIcon().action(QStringLiteral("pStart"))->trigger();
    EXPECT_TRUE(bridge.timer1Active());
    desktop.trayIcon().action(QStringLiteral("fHide"))->trigger();
    EXPECT_FALSE(desktop.mainWindow().isVisible());
    desktop.trayIcon().action(QStringLiteral("fShow"))->trigger();
    EXPECT_TRUE(desktop.mainWindow().isVisible());
}

TEST_F(DesktopTest, DraggingOverTheMainWindowOpensTheTrayMenu)
{
    int menus = 0;
    QObject::connect(&desktop.trayModel(), &TrayModel::menuRequested, [&] { ++menus; });
    const std::pair<Qt::MouseButtons, int> cases[] = {
        {Qt::RightButton, 1},
        {Qt::LeftButton | Qt::RightButton, 0},
    };
    for (const auto &[buttons, opened] : cases) {
        menus = 0;
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&desktop.mainWindow(), &move);
        EXPECT_EQ(menus, opened) << int(buttons);
    }
    desktop.trayIcon().menu()->close();
}

TEST_F(DesktopTest, TheApplicationFontWritesGreek)
{
    useGreekFont();
    const QFontMetrics metrics(QApplication::font());
    for (const QChar c : QStringLiteral("ΑΩαωάέήίόύώΐΰ"))
        EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
}

} // namespace
} // namespace merovan
