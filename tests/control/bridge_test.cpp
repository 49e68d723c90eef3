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
    const std::pair<WindowControl, const char *> labels[] = {
        {WindowControl::ConnectionLabel, "127.0.0.2:5012"},
        {WindowControl::BaudLabel, "5012"},
        {WindowControl::JobFileLabel, "print @Path : /srv/jobs/"},
        {WindowControl::DescriptionLabel, "Να Εκτυπώνεται"},
        {WindowControl::CommentsLabel, "Οχι"},
        {WindowControl::CurrencyLabel, "Δευτερεύων Νομισμα"},
    };
    for (const auto &[label, text] : labels)
        EXPECT_EQ(window().label(label), QString::fromUtf8(text)) << qPrintable(objectName(label));
    EXPECT_TRUE(window().hasTrayIcon());
}

TEST_F(BridgeTest, OtherCurrencyAndCommentsShowTheirTexts)
{
    startWith("[comments] true\r\n[currency]=3\r\n", 0);
    EXPECT_EQ(window().label(WindowControl::CurrencyLabel), QStringLiteral("Label8"));
    EXPECT_EQ(window().label(WindowControl::CommentsLabel), QStringLiteral("Nαι"));
    EXPECT_EQ(window().label(WindowControl::DescriptionLabel), QStringLiteral("Να ΜΗΝ Εκτυπώνεται"));
}

// After that many ticks: the commands sent; whether the printing and search
// timers run and the window shows; the version label, caption and status.
struct SearchCase {
    const char *what, *extraIni;
    bool silent;
    int ticks, sent;
    bool printing, searching, visible;
    const char *version, *caption, *status;
};

class Search : public BridgeTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(Search, EndsInItsState)
{
    const SearchCase &c = GetParam();
    silentRegister = c.silent;
    startWith(QByteArray(kParamIni) + c.extraIni, c.ticks);
    EXPECT_EQ(window().caption(), QString::fromUtf8(c.caption));
    EXPECT_EQ(window().status(), QString::fromUtf8(c.status));
    EXPECT_EQ(window().label(WindowControl::VersionLabel), QString::fromUtf8(c.version));
    EXPECT_EQ(commands.size(), c.sent) << "none at start; a silent register is asked on the first tick only";
    EXPECT_EQ(std::tuple(bridge.jobTimerActive(), bridge.searchTimerActive(), window().isVisible()),
              std::tuple(c.printing, c.searching, c.visible));
}

const SearchCase kSearches[] = {
    {"Searching", "", false, 0, 0, false, true, true, "---",
     "Merovan- Αναζήτηση", "Εύρεση Φορολογικής Ταμειακής !!! "},
    {"Ready", "", false, 1, 2, false, false, true, "SIM 1.0",
     "Merovan- Έτοιμο", "Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις"},
    {"AutoStart", "[AutoStar]=yes\r\n", false, 1, 2, true, false, false, "SIM 1.0",
     "Merovan- Αναμονή", "Αναμονή Για Στοιχεία...."},
    {"SilentThreeTicks", "", true, 3, 4, false, true, true, "---",
     "Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !Σφάλμα !!!", "Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !"},
    {"SilentFourTicks", "", true, 4, 4, false, true, true, "---",
     "Merovan- Λάθος!", "Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !"},
};
INSTANTIATE_TEST_SUITE_P(Bridge, Search, ::testing::ValuesIn(kSearches),
                         [](const auto &info) { return std::string(info.param.what); });

TEST_F(BridgeTest, AutomaticStartWithoutANotificationAreaMinimisesInsteadOfHiding)
{
    window().setNotificationAreaAvailable(false);
    startWith(QByteArray(kParamIni) + "[AutoStar]=yes\r\n", 1);
    EXPECT_TRUE(bridge.jobTimerActive());
    EXPECT_TRUE(window().isVisible()) << "no icon to bring it back from";
    EXPECT_TRUE(window().isMinimized());
}

TEST_F(BridgeTest, StartAndStopPrintingSwitchButtonsAndMenus)
{
    startWith(kParamIni, 1);
    bridge.trigger(WindowControl::StartButton);
    EXPECT_TRUE(bridge.jobTimerActive());
    commands.clear();
    bridge.trigger(WindowControl::XReport);
    EXPECT_TRUE(commands.isEmpty()) << "reports are out of reach while printing";

    bridge.trigger(WindowControl::StopButton);
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Διακόπηκε"));
    EXPECT_EQ(window().status(), QStringLiteral("Διακοπή Εκτυπώσεων. Πατήστε Έναρξη Εκτυπώσεων!!!"));
    EXPECT_FALSE(bridge.jobTimerActive());
    EXPECT_TRUE(window().isEnabled(WindowControl::ReportsMenu));
    EXPECT_TRUE(window().isEnabled(WindowControl::OptionsMenu));
}

// Item, answer at the table-number prompt (null: cancelled), command sent.
TEST_F(BridgeTest, MenuCommandsSendTheirCommands)
{
    startWith(kParamIni, 1);
    const std::tuple<WindowControl, const char *, const char *> cases[] = {
        {WindowControl::XReport, "", "KX0T1"},
        {WindowControl::PeriodXReport, "", "KX5T1"},
        {WindowControl::DailyZReport, "", ""}, // its submenu is never enabled
        {WindowControl::PrintOpenTables, "", "KX990000OTR"},
        {WindowControl::PrintOneTable, "7", "KX990007OTR"},
        {WindowControl::PrintOneTable, "12345", "KX9912345OTR"},
        {WindowControl::PrintOneTable, "2.6", "KX990003OTR"},
        {WindowControl::PrintOneTable, "2,6", "KX990003OTR"}, // the locale's separator
        {WindowControl::PrintOneTable, "seven", ""},
        {WindowControl::PrintOneTable, nullptr, ""},
        {WindowControl::ClearRegisterError, "", "KXCL"},
    };
    for (const auto &[item, answer, sent] : cases) {
        commands.clear();
        op.inputAnswers = {answer ? std::optional(QString::fromLatin1(answer)) : std::nullopt};
        bridge.trigger(item);
        EXPECT_EQ(commands.join(QLatin1Char('|')), QLatin1String(sent)) << qPrintable(objectName(item));
    }
    EXPECT_EQ(window().status(), QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Έτοιμο"));
}

TEST_F(BridgeTest, DebugMenuTogglesTheLogWhichTheOrderlyEndCloses)
{
    startWith(kParamIni, 1);
    for (const bool on : {true, false, true}) {
        bridge.trigger(WindowControl::DebugWindow);
        EXPECT_EQ(log.active(), on);
        EXPECT_EQ(window().isChecked(WindowControl::DebugWindow), on);
    }
    bridge.trigger(WindowControl::EndProgram);
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(log.active());
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

TEST_F(BridgeTest, TheJobCountOverflowsAtItsSixteenBitLimitInsteadOfWrapping)
{
    std::optional<qint16> last;
    for (int i = 0; i < 32767; ++i)
        last = bridge.countJob();
    EXPECT_EQ(last, std::optional<qint16>(32767));
    EXPECT_EQ(bridge.countJob(), std::nullopt);
}

TEST_F(BridgeTest, ProgressLabelShowsWholePercent)
{
    JobProgress progress(op);
    progress.setMaximum(3);
    const std::pair<qint16, const char *> steps[] = {
        {1, " Ολοκληρώθηκε το 33%"}, {2, " Ολοκληρώθηκε το 67%"}, {0, "-"}};
    int repaints = 0;
    QObject::connect(&window(), &MainWindowModel::repaintRequested, [&] { ++repaints; });
    for (const auto &[value, text] : steps) {
        progress.setValue(value);
        EXPECT_EQ(window().label(WindowControl::ProgressLabel), QString::fromUtf8(text));
    }
    EXPECT_EQ(repaints, 2) << "a percentage asks for a repaint";

}

// The marks of pStart and pStop after each step.
TEST_F(BridgeTest, TrayCheckMarksFollowTheButtonsAtEachUpkeepTick)
{
    startWith(kParamIni, 0);
    TrayModel tray(window(), bridge);
    const std::tuple<const char *, std::function<void()>, bool, bool> steps[] = {
        {"searching", [] {}, false, false},
        {"tray Start while searching", [&] { tray.trigger(WindowControl::TrayStartPrinting); }, false, false},
        {"ready", [this] { bridge.searchTick(); }, false, true},
        {"tray Start", [&] { tray.trigger(WindowControl::TrayStartPrinting); }, true, false},
        {"tray Stop", [&] { tray.trigger(WindowControl::TrayStopPrinting); }, false, true},
        {"Start button", [this] { bridge.trigger(WindowControl::StartButton); }, true, false},
    };
    for (const auto &[what, action, start, stop] : steps) {
        action();
        tray.upkeep();
        EXPECT_EQ(window().isChecked(WindowControl::TrayStartPrinting), start) << what;
        EXPECT_EQ(window().isChecked(WindowControl::TrayStopPrinting), stop) << what;
    }
    EXPECT_TRUE(tray.upkeepRunning());
    bridge.orderlyEnd();
    EXPECT_FALSE(tray.upkeepRunning()) << "the upkeep ends with the icon";
}

TEST_F(BridgeTest, TrayTooltipIsTheCaptionCutAt63Characters)
{
    TrayModel tray(window(), bridge);
    for (const int length : {70, 63}) {
        window().setCaption(QString(length, QChar(0x03A9)));
        tray.upkeep();
        EXPECT_EQ(tray.toolTip(), QString(63, QChar(0x03A9))) << length;
    }
}

} // namespace
