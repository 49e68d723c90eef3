#include "bridge_fixture.h"
#include "control/tray_model.h"
#include "control/window_links.h"
#include "core/progress.h"
#include "settings/settings_form.h"

using namespace merovan;
using namespace merovan::test;

namespace {

TEST_F(BridgeTest, StartsWithTheSettingsOnItsLabels)
{
    startWith(kParamIni, 0);
    const std::pair<const char *, QString> labels[] = {
        {"serialtxt", QStringLiteral("127.0.0.2:5012")},
        {"baudtxt", QStringLiteral("5012")},
        {"filetxt", QStringLiteral("print @Path : /srv/jobs/")},
        {"desctxt", QStringLiteral("Να Εκτυπώνεται")},
        {"commentstxt", QStringLiteral("Οχι")},
        {"currtxt", QStringLiteral("Δευτερεύων Νομισμα")},
    };
    for (const auto &[name, text] : labels)
        EXPECT_EQ(window().label(QLatin1String(name)), text) << name;
    EXPECT_TRUE(window().hasTrayIcon());
}

TEST_F(BridgeTest, OtherCurrencyAndCommentsShowTheirTexts)
{
    startWith("[comments] true\r\n[currency]=3\r\n", 0);
    EXPECT_EQ(window().label(QStringLiteral("currtxt")), QStringLiteral("Label8"));
    EXPECT_EQ(window().label(QStringLiteral("commentstxt")), QStringLiteral("Nαι"));
    EXPECT_EQ(window().label(QStringLiteral("desctxt")), QStringLiteral("Να ΜΗΝ Εκτυπώνεται"));
}

struct SearchCase {
    const char *what, *extraIni;
    bool silent;
    int ticks;
    const char *caption, *status, *version;
    int sent;
    bool printing, searching, visible;
};

class Search : public BridgeTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(Search, EndsInItsState)
{
    const SearchCase &c = GetParam();
    silentRegister = c.silent;
    startWith(QByteArray(kParamIni) + c.extraIni, c.ticks);
    EXPECT_EQ(window().caption(), QString::fromUtf8(c.caption));
    EXPECT_EQ(window().status(), QString::fromUtf8(c.status));
    EXPECT_EQ(window().label(QStringLiteral("txtVersion")), QString::fromUtf8(c.version));
    EXPECT_EQ(commands.size(), c.sent) << "none at start; a silent register is asked on the first tick only";
    EXPECT_EQ(bridge.timer1Active(), c.printing);
    EXPECT_EQ(bridge.timer2Active(), c.searching);
    EXPECT_EQ(window().isVisible(), c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, Search,
    ::testing::Values(
        SearchCase{"Searching", "", false, 0, "Merovan- Αναζήτηση", "Εύρεση Φορολογικής Ταμειακής !!! ", "---", 0,
                   false, true, true},
        SearchCase{"Ready", "", false, 1, "Merovan- Έτοιμο", "Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις",
                   "SIM 1.0", 2, false, false, true},
        SearchCase{"AutoStart", "[AutoStar]=yes\r\n", false, 1, "Merovan- Αναμονή", "Αναμονή Για Στοιχεία....",
                   "SIM 1.0", 2, true, false, false},
        SearchCase{"SilentThreeTicks", "", true, 3, "Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !Σφάλμα !!!",
                   "Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !", "---", 4, false, true, true},
        SearchCase{"SilentFourTicks", "", true, 4, "Merovan- Λάθος!",
                   "Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !", "---", 4, false, true, true}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(BridgeTest, StartAndStopPrintingSwitchButtonsAndMenus)
{
    startWith(kParamIni, 1);
    bridge.trigger(QStringLiteral("Command1"));
    EXPECT_TRUE(bridge.timer1Active());
    commands.clear();
    bridge.trigger(QStringLiteral("xrep0"));
    EXPECT_TRUE(commands.isEmpty()) << "reports are out of reach while printing";

    bridge.trigger(QStringLiteral("Command2"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Διακόπηκε"));
    EXPECT_EQ(window().status(), QStringLiteral("Διακοπή Εκτυπώσεων. Πατήστε Έναρξη Εκτυπώσεων!!!"));
    EXPECT_FALSE(bridge.timer1Active());
    EXPECT_TRUE(window().isEnabled(QStringLiteral("reports")));
    EXPECT_TRUE(window().isEnabled(QStringLiteral("Settings")));
}

TEST_F(BridgeTest, MenuCommandsSendTheirCommands)
{
    startWith(kParamIni, 1);
    const std::tuple<const char *, std::optional<QString>, QStringList> cases[] = {
        {"xrep0", {}, {QStringLiteral("KX0T1")}},
        {"xrep5", {}, {QStringLiteral("KX5T1")}},
        {"zrep021", {}, {}}, // its submenu is never enabled
        {"n_tables_all", {}, {QStringLiteral("KX990000OTR")}},
        {"n_tables_num", QStringLiteral("7"), {QStringLiteral("KX990007OTR")}},
        {"n_tables_num", QStringLiteral("12345"), {QStringLiteral("KX9912345OTR")}},
        {"n_tables_num", QStringLiteral("2.6"), {QStringLiteral("KX990003OTR")}},
        {"n_tables_num", QStringLiteral("seven"), {}},
        {"n_tables_num", std::nullopt, {}},
        {"errorclear", {}, {QStringLiteral("KXCL")}},
    };
    for (const auto &[item, answer, sent] : cases) {
        commands.clear();
        op.inputAnswers = {answer};
        bridge.trigger(QString::fromLatin1(item));
        EXPECT_EQ(commands, sent) << item;
    }
    EXPECT_EQ(window().status(), QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Έτοιμο"));
}

TEST_F(BridgeTest, DebugMenuTogglesTheLogWhichTheOrderlyEndCloses)
{
    startWith(kParamIni, 1);
    for (const bool on : {true, false, true}) {
        bridge.trigger(QStringLiteral("wndDebug"));
        EXPECT_EQ(log.DebugActive(), on);
        EXPECT_EQ(window().isChecked(QStringLiteral("wndDebug")), on);
    }
    bridge.trigger(QStringLiteral("end"));
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(log.DebugActive());
    EXPECT_FALSE(window().hasTrayIcon());
    EXPECT_GE(fake->shutdowns, 1);
}

// The running bridge does not take new settings over: a save ends it.
TEST_F(BridgeTest, ASavedSettingsWindowEndsTheProgram)
{
    startWith(kParamIni, 0);
    SettingsForm form(op, clock);
    linkSettingsForm(form, bridge);
    form.open();
    ASSERT_TRUE(form.save());
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(window().hasTrayIcon());
}

TEST_F(BridgeTest, ProgressLabelShowsWholePercent)
{
    CLSiND progress(op);
    progress.setMax(3);
    const std::pair<qint16, QString> steps[] = {
        {1, QStringLiteral(" Ολοκληρώθηκε το 33%")},
        {2, QStringLiteral(" Ολοκληρώθηκε το 67%")},
        {0, QStringLiteral("-")},
    };
    for (const auto &[value, text] : steps) {
        progress.setValue(value);
        EXPECT_EQ(window().label(QStringLiteral("lblProgr")), text);
    }
    EXPECT_EQ(op.eventRuns, 3) << "each step lets the label paint";
}

TEST_F(BridgeTest, TrayCheckMarksFollowTheButtonsAtEachUpkeepTick)
{
    startWith(kParamIni, 0);
    TrayModel tray(window(), bridge);
    const auto marks = [this] { // pStart, pStop
        return std::pair(window().isChecked(QStringLiteral("pStart")), window().isChecked(QStringLiteral("pStop")));
    };
    const struct {
        const char *what;
        std::function<void()> action;
        std::pair<bool, bool> marks;
    } steps[] = {
        {"searching", [] {}, {false, false}},
        {"tray Start while searching", [&] { tray.trigger(QStringLiteral("pStart")); }, {false, false}},
        {"ready", [this] { bridge.searchTick(); }, {false, true}},
        {"tray Start", [&] { tray.trigger(QStringLiteral("pStart")); }, {true, false}},
        {"tray Stop", [&] { tray.trigger(QStringLiteral("pStop")); }, {false, true}},
        {"Start button", [this] { bridge.trigger(QStringLiteral("Command1")); }, {true, false}},
    };
    for (const auto &step : steps) {
        step.action();
        tray.upkeep();
        EXPECT_EQ(marks(), step.marks) << step.what;
    }
    EXPECT_TRUE(tray.upkeepRunning());
    bridge.orderlyEnd();
    EXPECT_FALSE(tray.upkeepRunning()) << "the upkeep ends with the icon";
}

TEST_F(BridgeTest, TrayTooltipIsTheCaptionCutAt63Characters)
{
    TrayModel tray(window(), bridge);
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

} // namespace
