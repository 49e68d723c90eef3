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
    const std::pair<const char *, const char *> labels[] = {
        {"serialtxt", "127.0.0.2:5012"}, {"baudtxt", "5012"},    {"filetxt", "print @Path : /srv/jobs/"},
        {"desctxt", "Να Εκτυπώνεται"},   {"commentstxt", "Οχι"}, {"currtxt", "Δευτερεύων Νομισμα"},
    };
    for (const auto &[name, text] : labels)
        EXPECT_EQ(window().label(QLatin1String(name)), QString::fromUtf8(text)) << name;
    EXPECT_TRUE(window().hasTrayIcon());
}

TEST_F(BridgeTest, OtherCurrencyAndCommentsShowTheirTexts)
{
    startWith("[comments] true\r\n[currency]=3\r\n", 0);
    EXPECT_EQ(window().label(QStringLiteral("currtxt")), QStringLiteral("Label8"));
    EXPECT_EQ(window().label(QStringLiteral("commentstxt")), QStringLiteral("Nαι"));
    EXPECT_EQ(window().label(QStringLiteral("desctxt")), QStringLiteral("Να ΜΗΝ Εκτυπώνεται"));
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
    EXPECT_EQ(window().label(QStringLiteral("txtVersion")), QString::fromUtf8(c.version));
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
    bridge.trigger(QStringLiteral("startButton"));
    EXPECT_TRUE(bridge.jobTimerActive());
    commands.clear();
    bridge.trigger(QStringLiteral("xrep0"));
    EXPECT_TRUE(commands.isEmpty()) << "reports are out of reach while printing";

    bridge.trigger(QStringLiteral("stopButton"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Διακόπηκε"));
    EXPECT_EQ(window().status(), QStringLiteral("Διακοπή Εκτυπώσεων. Πατήστε Έναρξη Εκτυπώσεων!!!"));
    EXPECT_FALSE(bridge.jobTimerActive());
    EXPECT_TRUE(window().isEnabled(QStringLiteral("reports")));
    EXPECT_TRUE(window().isEnabled(QStringLiteral("Settings")));
}

// Item, answer at the table-number prompt (null: cancelled), command sent.
TEST_F(BridgeTest, MenuCommandsSendTheirCommands)
{
    startWith(kParamIni, 1);
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"xrep0", "", "KX0T1"}, {"xrep5", "", "KX5T1"}, {"zrep021", "", ""}, // its submenu is never enabled
        {"n_tables_all", "", "KX990000OTR"},       {"n_tables_num", "7", "KX990007OTR"},
        {"n_tables_num", "12345", "KX9912345OTR"}, {"n_tables_num", "2.6", "KX990003OTR"},
        {"n_tables_num", "2,6", "KX990003OTR"}, // the locale's separator
        {"n_tables_num", "seven", ""},             {"n_tables_num", nullptr, ""},
        {"errorclear", "", "KXCL"},
    };
    for (const auto &[item, answer, sent] : cases) {
        commands.clear();
        op.inputAnswers = {answer ? std::optional(QString::fromLatin1(answer)) : std::nullopt};
        bridge.trigger(QString::fromLatin1(item));
        EXPECT_EQ(commands.join(QLatin1Char('|')), QLatin1String(sent)) << item;
    }
    EXPECT_EQ(window().status(), QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Έτοιμο"));
}

TEST_F(BridgeTest, DebugMenuTogglesTheLogWhichTheOrderlyEndCloses)
{
    startWith(kParamIni, 1);
    for (const bool on : {true, false, true}) {
        bridge.trigger(QStringLiteral("wndDebug"));
        EXPECT_EQ(log.active(), on);
        EXPECT_EQ(window().isChecked(QStringLiteral("wndDebug")), on);
    }
    bridge.trigger(QStringLiteral("end"));
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
        EXPECT_EQ(window().label(QStringLiteral("progress")), QString::fromUtf8(text));
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
        {"tray Start while searching", [&] { tray.trigger(QStringLiteral("pStart")); }, false, false},
        {"ready", [this] { bridge.searchTick(); }, false, true},
        {"tray Start", [&] { tray.trigger(QStringLiteral("pStart")); }, true, false},
        {"tray Stop", [&] { tray.trigger(QStringLiteral("pStop")); }, false, true},
        {"Start button", [this] { bridge.trigger(QStringLiteral("startButton")); }, true, false},
    };
    for (const auto &[what, action, start, stop] : steps) {
        action();
        tray.upkeep();
        EXPECT_EQ(window().isChecked(QStringLiteral("pStart")), start) << what;
        EXPECT_EQ(window().isChecked(QStringLiteral("pStop")), stop) << what;
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
