#include "bridge_fixture.h"
#include "core/progress.h"

#include <QDir>

using namespace merovan;
using namespace merovan::test;

namespace {

TEST_F(BridgeTest, StartsSearchingWithTheSettingsOnItsLabels)
{
    writeParam(kParamIni);
    EXPECT_EQ(bridge.start({}), std::nullopt);

    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναζήτηση"));
    EXPECT_EQ(window().status(), QStringLiteral("Εύρεση Φορολογικής Ταμειακής !!! "));
    EXPECT_EQ(window().label(QStringLiteral("serialtxt")), QStringLiteral("127.0.0.2:5012"));
    EXPECT_EQ(window().label(QStringLiteral("baudtxt")), QStringLiteral("5012"));
    EXPECT_EQ(window().label(QStringLiteral("filetxt")), QStringLiteral("print @Path : /srv/jobs/"));
    EXPECT_EQ(window().label(QStringLiteral("desctxt")), QStringLiteral("Να Εκτυπώνεται"));
    EXPECT_EQ(window().label(QStringLiteral("commentstxt")), QStringLiteral("Οχι"));
    EXPECT_EQ(window().label(QStringLiteral("currtxt")), QStringLiteral("Δευτερεύων Νομισμα"));
    EXPECT_EQ(window().label(QStringLiteral("txtVersion")), QStringLiteral("---"));
    EXPECT_FALSE(window().isEnabled(QStringLiteral("Command1")));
    EXPECT_FALSE(window().isEnabled(QStringLiteral("Command2")));
    EXPECT_TRUE(bridge.timer2Active());
    EXPECT_FALSE(bridge.timer1Active());
    EXPECT_TRUE(window().hasTrayIcon());
    EXPECT_TRUE(commands.isEmpty()) << "the connection opens with the first command, not at start";
}

TEST_F(BridgeTest, UnknownCurrencyAndCommentsKeepTheirTexts)
{
    writeParam("[comments] true\r\n[currency]=3\r\n");
    bridge.start({});
    EXPECT_EQ(window().label(QStringLiteral("currtxt")), QStringLiteral("Label8"));
    EXPECT_EQ(window().label(QStringLiteral("commentstxt")), QStringLiteral("Nαι"));
    EXPECT_EQ(window().label(QStringLiteral("desctxt")), QStringLiteral("Να ΜΗΝ Εκτυπώνεται"));
}

TEST_F(BridgeTest, MissingSettingsFileNamesFileAndFolderAndFails)
{
    EXPECT_EQ(bridge.start({}), 2);
    ASSERT_EQ(op.fatals.size(), 1);
    EXPECT_TRUE(op.fatals[0].contains(QStringLiteral("param.ini")));
    EXPECT_TRUE(op.fatals[0].contains(QDir::currentPath()));
}

TEST_F(BridgeTest, ShortCommandLineEndsWithTheBanner)
{
    EXPECT_EQ(bridge.start(QStringLiteral("a,b")), 1);
    ASSERT_EQ(op.banner.size(), 4);
    EXPECT_TRUE(op.banner[0].isEmpty());
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(op.banner[i].size(), 61) << i;
    EXPECT_TRUE(op.banner[2].contains(QStringLiteral("Ευχαριστουμε που χρησιμοποιησατε την εφαρμογη Merovan")));
    EXPECT_TRUE(commands.isEmpty());
}

TEST_F(BridgeTest, FoundRegisterIsReadyWithItsVersion)
{
    writeParam(kParamIni);
    bridge.start({});
    bridge.searchTick();

    EXPECT_EQ(commands, (QStringList{QStringLiteral("KXCL"), QStringLiteral("KXVER")}));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Έτοιμο"));
    EXPECT_EQ(window().status(), QStringLiteral("Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις"));
    EXPECT_EQ(window().label(QStringLiteral("txtVersion")), QStringLiteral("SIM 1.0"));
    EXPECT_TRUE(window().isEnabled(QStringLiteral("Command1")));
    EXPECT_TRUE(window().isEnabled(QStringLiteral("reports")));
    EXPECT_FALSE(bridge.timer2Active());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(BridgeTest, AutoStartStartsPrintingAndHidesTheWindow)
{
    writeParam(QByteArray(kParamIni) + "[AutoStar]=yes\r\n");
    bridge.start({});
    bridge.searchTick();
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναμονή"));
    EXPECT_EQ(window().status(), QStringLiteral("Αναμονή Για Στοιχεία...."));
    EXPECT_TRUE(bridge.timer1Active());
    EXPECT_EQ(bridge.timer1Interval(), 1000);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().isEnabled(QStringLiteral("Settings")));
}

TEST_F(BridgeTest, SilentRegisterGoesOfflineThreeTicksAfterTheFirstFailure)
{
    writeParam(kParamIni);
    silentRegister = true;
    bridge.start({});
    bridge.searchTick();
    EXPECT_EQ(clock.monotonicMs(), 28000);
    EXPECT_EQ(bridge.searchTries(), 1);
    bridge.searchTick();
    bridge.searchTick();
    EXPECT_EQ(bridge.searchTries(), 3);
    EXPECT_NE(window().caption(), QStringLiteral("Merovan- Λάθος!"));
    bridge.searchTick();
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Λάθος!"));
    EXPECT_EQ(window().status(), QStringLiteral("Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !"));
    EXPECT_EQ(commands.size(), 4) << "only the first tick talked to the register";
    EXPECT_TRUE(bridge.timer2Active());
}

TEST_F(BridgeTest, StartAndStopPrintingSwitchButtonsAndMenus)
{
    writeParam(kParamIni);
    bridge.start({});
    bridge.searchTick();
    bridge.trigger(QStringLiteral("Command1"));
    EXPECT_FALSE(window().isEnabled(QStringLiteral("Command1")));
    EXPECT_TRUE(window().isEnabled(QStringLiteral("Command2")));
    EXPECT_FALSE(window().isEnabled(QStringLiteral("reports")));

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
    writeParam(kParamIni);
    bridge.start({});
    bridge.searchTick();
    struct Case {
        const char *item;
        std::optional<QString> answer;
        QStringList sent;
    };
    const Case cases[] = {
        {"xrep0", {}, {QStringLiteral("KX0T1")}},
        {"xrep5", {}, {QStringLiteral("KX5T1")}},
        {"zrep021", {}, {}}, // its submenu is never enabled
        {"n_tables_all", {}, {QStringLiteral("KX990000OTR")}},
        {"n_tables_num", QStringLiteral("7"), {QStringLiteral("KX990007OTR")}},
        {"n_tables_num", QStringLiteral("151"), {QStringLiteral("KX990151OTR")}},
        {"n_tables_num", QStringLiteral("12345"), {QStringLiteral("KX9912345OTR")}},
        {"n_tables_num", QStringLiteral("2.6"), {QStringLiteral("KX990003OTR")}},
        {"n_tables_num", QStringLiteral("seven"), {}},
        {"n_tables_num", std::nullopt, {}},
        {"errorclear", {}, {QStringLiteral("KXCL")}},
    };
    for (const Case &c : cases) {
        commands.clear();
        op.inputAnswers = {c.answer};
        bridge.trigger(QString::fromLatin1(c.item));
        EXPECT_EQ(commands, c.sent) << c.item;
    }
    EXPECT_EQ(window().status(), QStringLiteral("Το Ισοζύγιο ολοκληρώθηκε"));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Έτοιμο"));
    EXPECT_EQ(op.boxes.back().text, fitMessageText(QStringLiteral("Επιτυχής εκτύπωση Ισοζυγίου!")));
}

TEST_F(BridgeTest, DebugMenuTogglesTheLogAndItsCheckMark)
{
    writeParam(kParamIni);
    bridge.start({});
    bridge.trigger(QStringLiteral("wndDebug"));
    EXPECT_TRUE(log.DebugActive());
    EXPECT_TRUE(window().isChecked(QStringLiteral("wndDebug")));
    bridge.trigger(QStringLiteral("wndDebug"));
    EXPECT_FALSE(log.DebugActive());
    EXPECT_FALSE(window().isChecked(QStringLiteral("wndDebug")));
}

TEST_F(BridgeTest, OrderlyEndClosesTheLogRemovesTheIconAndEnds)
{
    writeParam(kParamIni);
    bridge.start({});
    bridge.searchTick();
    log.setDebugActive(true);
    int ended = -1;
    QObject::connect(&bridge, &Bridge::programEnded, [&](int status) { ended = status; });
    bridge.trigger(QStringLiteral("end"));
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(log.DebugActive());
    EXPECT_FALSE(window().hasTrayIcon());
    EXPECT_GE(fake->shutdowns, 1);
}

TEST_F(BridgeTest, ProgressLabelShowsWholePercent)
{
    CLSiND progress(op);
    progress.setMax(3);
    const std::pair<qint16, QString> steps[] = {
        {1, QStringLiteral(" Ολοκληρώθηκε το 33%")},
        {2, QStringLiteral(" Ολοκληρώθηκε το 67%")},
        {3, QStringLiteral(" Ολοκληρώθηκε το 100%")},
        {0, QStringLiteral("-")},
    };
    for (const auto &[value, text] : steps) {
        progress.setValue(value);
        EXPECT_EQ(window().label(QStringLiteral("lblProgr")), text);
    }
    EXPECT_EQ(op.eventRuns, 4);
}

} // namespace
