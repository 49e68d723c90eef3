#include "control/tray_model.h"

#include "bridge_fixture.h"

namespace merovan {
namespace {

using test::BridgeTest;
using test::kParamIni;

class TrayTest : public BridgeTest {
protected:
    TrayTest() { QObject::connect(&tray, &TrayModel::menuRequested, [this] { ++menus; }); }

    // The tray items that carry a check mark.
    QStringList checked()
    {
        QStringList names;
        for (const QString &name : {QStringLiteral("pStart"), QStringLiteral("pStop")}) {
            if (window().isChecked(name))
                names << name;
        }
        return names;
    }

    TrayModel tray{window(), bridge};
    int menus = 0;
};

TEST_F(TrayTest, CheckMarksFollowTheButtonsAtEachUpkeepTick)
{
    writeParam(kParamIni);
    bridge.start({});
    struct Step {
        const char *what;
        std::function<void()> action;
        QStringList checked;
    };
    const Step steps[] = {
        {"searching", [] {}, {}},
        {"ready", [this] { bridge.searchTick(); }, {QStringLiteral("pStop")}},
        {"tray Start", [this] { tray.trigger(QStringLiteral("pStart")); }, {QStringLiteral("pStart")}},
        {"tray Stop", [this] { tray.trigger(QStringLiteral("pStop")); }, {QStringLiteral("pStop")}},
        {"Start button", [this] { bridge.trigger(QStringLiteral("Command1")); }, {QStringLiteral("pStart")}},
    };
    for (const Step &step : steps) {
        const QStringList before = checked();
        step.action();
        EXPECT_EQ(checked(), before) << step.what << ": marks change only at the tick";
        tray.upkeep();
        EXPECT_EQ(checked(), step.checked) << step.what;
    }
}

TEST_F(TrayTest, OfflineLeavesNoCheckMark)
{
    writeParam(kParamIni);
    silentRegister = true;
    bridge.start({});
    for (int i = 0; i < 4; ++i)
        bridge.searchTick();
    ASSERT_EQ(window().caption(), QStringLiteral("Merovan- Λάθος!"));
    tray.upkeep();
    EXPECT_EQ(checked(), QStringList());
}

TEST_F(TrayTest, StartWhileTheStartButtonIsDisabledDoesNothing)
{
    writeParam(kParamIni);
    bridge.start({});
    ASSERT_FALSE(window().isEnabled(QStringLiteral("Command1")));

    tray.trigger(QStringLiteral("pStart"));

    EXPECT_FALSE(bridge.timer1Active());
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναζήτηση"));
    EXPECT_TRUE(commands.isEmpty());
}

TEST_F(TrayTest, ShowAndHideSetTheWindowsVisibility)
{
    writeParam(kParamIni);
    bridge.start({});
    tray.trigger(QStringLiteral("fHide"));
    EXPECT_FALSE(window().isVisible());
    tray.trigger(QStringLiteral("fShow"));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(TrayTest, OnlyTheLeftOrTheRightButtonAloneOpensTheMenu)
{
    const std::pair<Qt::MouseButtons, int> cases[] = {
        {Qt::NoButton, 0},
        {Qt::LeftButton, 1},
        {Qt::RightButton, 1},
        {Qt::LeftButton | Qt::RightButton, 0}, // button value 3
        {Qt::MiddleButton, 0},
        {Qt::LeftButton | Qt::MiddleButton, 0},
    };
    for (const auto &[buttons, opened] : cases) {
        menus = 0;
        tray.mouseButton(mouseButtonValue(buttons));
        EXPECT_EQ(menus, opened) << int(buttons);
    }
    menus = 0;
    tray.mouseButton(3);
    EXPECT_EQ(menus, 0);
}

TEST_F(TrayTest, TooltipIsTheCaptionCutAt63Characters)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Merovan- Αναμονή"), QStringLiteral("Merovan- Αναμονή")},
        {QString(70, QChar(0x03A9)), QString(63, QChar(0x03A9))},
        {QString(63, QLatin1Char('x')), QString(63, QLatin1Char('x'))},
    };
    for (const auto &[caption, tip] : cases) {
        window().setCaption(caption);
        tray.upkeep();
        EXPECT_EQ(tray.toolTip(), tip);
    }
}

TEST_F(TrayTest, UpkeepTicksEverySecondWhileTheIconExists)
{
    EXPECT_FALSE(tray.upkeepRunning());
    writeParam(kParamIni);
    bridge.start({});
    EXPECT_TRUE(tray.upkeepRunning());
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Merovan- Αναζήτηση")) << "the icon is added with the caption";

    bridge.orderlyEnd();
    EXPECT_FALSE(tray.upkeepRunning());
}

} // namespace
} // namespace merovan
