#include "control/window_links.h"

#include "bridge_fixture.h"
#include "payments/payment_types_form.h"
#include "settings/settings_form.h"

namespace merovan {
namespace {

using test::BridgeTest;
using test::kParamIni;

using WindowLinksTest = BridgeTest;

TEST_F(WindowLinksTest, TheSettingsWindowHoldsTheSearchWhileOpen)
{
    writeParam(kParamIni);
    bridge.start({});
    SettingsForm form(op, clock);
    linkSettingsForm(form, bridge);

    form.open();
    EXPECT_FALSE(bridge.timer2Active());
    form.close();
    EXPECT_TRUE(bridge.timer2Active());
}

TEST_F(WindowLinksTest, ASavedSettingsWindowEndsTheProgram)
{
    writeParam(kParamIni);
    bridge.start({});
    std::optional<int> ended;
    QObject::connect(&bridge, &Bridge::programEnded, [&](int status) { ended = status; });
    SettingsForm form(op, clock);
    linkSettingsForm(form, bridge);
    form.open();

    ASSERT_TRUE(form.save());

    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(bridge.timer2Active());
    EXPECT_FALSE(window().hasTrayIcon());
    EXPECT_FALSE(window().isVisible());
}

TEST_F(WindowLinksTest, AStoppedSaveKeepsTheProgramAndTheHeldSearch)
{
    writeParam(kParamIni);
    bridge.start({});
    std::optional<int> ended;
    QObject::connect(&bridge, &Bridge::programEnded, [&](int status) { ended = status; });
    SettingsForm form(op, clock);
    linkSettingsForm(form, bridge);
    form.open();
    form.setVatBox(2, QStringLiteral("abc"));

    EXPECT_FALSE(form.save());

    EXPECT_EQ(ended, std::nullopt);
    EXPECT_FALSE(bridge.timer2Active());
}

TEST_F(WindowLinksTest, ThePaymentTypesWindowDisablesTheMainWindowUntilItCloses)
{
    PaymentTypesForm form(op, dir.filePath(QStringLiteral("payeft.dat")));
    linkPaymentTypesForm(form, window());
    EXPECT_TRUE(window().isEnabled(mainWindowName()));

    form.frmFill();
    EXPECT_FALSE(window().isEnabled(mainWindowName()));
    form.frmFill(); // cmdRef
    EXPECT_FALSE(window().isEnabled(mainWindowName()));
    form.close();
    EXPECT_TRUE(window().isEnabled(mainWindowName()));
}

} // namespace
} // namespace merovan
