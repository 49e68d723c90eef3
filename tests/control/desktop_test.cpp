#include "control/desktop.h"

#include "bridge_fixture.h"
#include "control/main_window.h"
#include "control/tray_icon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

namespace merovan {
namespace {

using test::BridgeTest;
using test::kParamIni;

// One test per window: each shows what the bridge holds and forwards what
// the operator does.
class DesktopTest : public BridgeTest {
protected:
    DesktopTest() { startWith(kParamIni, 0); }

    Desktop desktop{op, bridge, log};
};

TEST_F(DesktopTest, TheMainWindowCannotBeClosedAndADragOpensTheTrayMenu)
{
    MainWindow &main = desktop.mainWindow();
    EXPECT_FALSE(main.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Merovan- Αναζήτηση"));
    int menus = 0;
    QObject::connect(&desktop.trayModel(), &TrayModel::menuRequested, [&] { ++menus; });
    const std::pair<Qt::MouseButtons, int> cases[] = {
        {Qt::LeftButton, 1}, {Qt::RightButton, 1}, {Qt::LeftButton | Qt::RightButton, 0}, {Qt::MiddleButton, 0}};
    for (const auto &[buttons, opened] : cases) {
        menus = 0;
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&main, &move);
        EXPECT_EQ(menus, opened) << int(buttons);
    }
    desktop.trayIcon().menu()->close();
}

// Each opens once however often asked, and holds what it must until closed.
TEST_F(DesktopTest, TheMenuWindowsOpenOnceAndHoldWhileOpen)
{
    const std::tuple<WindowControl, const char *, std::function<bool()>> cases[] = {
        {WindowControl::Settings, "frmparam", [this] { return !bridge.searchTimerActive(); }},
        {WindowControl::PaymentTypes, "frmEFT", [this] { return !desktop.mainWindow().isEnabled(); }},
        {WindowControl::About, "frmAbout", nullptr},
    };
    for (const auto &[item, name, held] : cases) {
        bridge.trigger(item);
        bridge.trigger(item);
        QWidgetList windows = QApplication::topLevelWidgets(); // the shown ones of that name
        windows.removeIf([shown = QLatin1String(name)](QWidget *w) { return w->objectName() != shown || !w->isVisible(); });
        ASSERT_EQ(windows.size(), 1) << name;
        EXPECT_TRUE(!held || held()) << name;
        windows[0]->close();
        EXPECT_TRUE(!held || !held()) << name;
    }
}

TEST_F(DesktopTest, TheTrayMenuShowsTheCheckMarksAndWorksTheBridge)
{
    bridge.searchTick();
    desktop.trayModel().upkeep();
    TrayIcon &icon = desktop.trayIcon();
    EXPECT_TRUE(icon.action(WindowControl::TrayStopPrinting)->isChecked());
    // A click on the item whose button cannot be pressed changes nothing.
    icon.action(WindowControl::TrayStopPrinting)->trigger();
    EXPECT_TRUE(icon.action(WindowControl::TrayStopPrinting)->isChecked());
    EXPECT_FALSE(icon.action(WindowControl::TrayStartPrinting)->isChecked());
    icon.action(WindowControl::TrayStartPrinting)->trigger();
    EXPECT_TRUE(bridge.jobTimerActive());
    icon.action(WindowControl::TrayHide)->trigger();
    EXPECT_FALSE(desktop.mainWindow().isVisible());
}

} // namespace
} // namespace merovan
