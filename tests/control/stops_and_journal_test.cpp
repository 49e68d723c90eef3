// A job runs once and is never lost: stop requests during a job, the crash
// journal and what the next start does with it, the command-line statuses.
#include "bridge_fixture.h"
#include "interpreter/job_journal.h"

#include <QRegularExpression>

using namespace merovan;
using namespace merovan::test;

namespace {

// Five pass-through lines: "KXA1" .. "KXA5".
QByteArray fiveLineJob()
{
    QByteArray job = "tag:  FIVE\r\nresFile:  Result\r\n";
    for (int i = 1; i <= 5; ++i)
        job += " snd  A" + QByteArray::number(i) + "\r\n";
    return job;
}

class Stops : public BridgeTest {
protected:
    // A resident bridge, printing, with the job jobs/print.1 waiting.
    void startPrinting(const QByteArray &job)
    {
        QDir().mkpath(QStringLiteral("jobs"));
        writeJob(job);
        const QString ini = QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] print\r\n[multi type] true\r\n"
                                           "[location] %1/\r\n");
        startWith(ini.arg(dir.filePath(QStringLiteral("jobs"))).toUtf8(), 1);
        bridge.trigger(WindowControl::StartButton);
        commands.clear();
    }
    void writeJob(const QByteArray &bytes) { ASSERT_TRUE(writeSettledJob(jobPath(), bytes)); }
    QString jobPath() const { return dir.filePath(QStringLiteral("jobs/print.1")); }
    QStringList jobFiles() const { return QDir(dir.filePath(QStringLiteral("jobs"))).entryList(QDir::Files); }
    // Result lines with their time stamps masked.
    QStringList masked() const
    {
        QStringList lines = resultLines();
        for (QString &line : lines)
            line.replace(QRegularExpression(QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d")),
                         QStringLiteral("<t>"));
        return lines;
    }
};

// Stop requests made while "KXA2" is under way, as a signal or the menu's
// end would make them.
struct StopCase {
    int requests;
    QStringList sent, tail, files;
    const char *status;
};

class StopsDuringAJob : public Stops, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopsDuringAJob, FirstRequestFinishesTheJobSecondInterruptsItAtTheNextCommand)
{
    const StopCase &c = GetParam();
    startPrinting(fiveLineJob());
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command == QStringLiteral("KXA2"))
            for (int i = 0; i < c.requests; ++i)
                bridge.requestStop();
        script(command, reg);
    };
    bridge.jobTick();

    EXPECT_EQ(commands, c.sent);
    const QStringList lines = masked();
    EXPECT_EQ(lines.mid(lines.size() - c.tail.size()), c.tail);
    EXPECT_EQ(jobFiles(), c.files);
    EXPECT_EQ(window().status(), QString::fromUtf8(c.status));
    EXPECT_EQ(ended, 0) << "the program ends in order once the job is done";
    EXPECT_FALSE(QFile::exists(QStringLiteral("merovan.journal")));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, StopsDuringAJob,
    ::testing::Values(StopCase{1,
                               {"KXRE", "KXCL", "KXCL", "KXA1", "KXA2", "KXA3", "KXA4", "KXA5", "KXSTAT", "KXRE"},
                               {"exitcode = 0"},
                               {},
                               "Τερματισμός μετά την ολοκλήρωση της τρέχουσας εργασίας..."},
                      StopCase{2,
                               {"KXRE", "KXCL", "KXCL", "KXA1", "KXA2"},
                               {"Err = -97, [interrupted at line 4 of 7] DateTime = <t>", "DateTime end = <t>",
                                "recStatus = 0;", "receipt = -1, -1, -1, 0", "exitcode = 1"},
                               {"print.1.interrupted"},
                               "Διακοπή της εργασίας και τερματισμός..."}),
    [](const auto &info) { return info.param.requests == 1 ? "once" : "twice"; });

TEST_F(Stops, ARequestWithoutAJobEndsAtOnceAndTakesNoFurtherJob)
{
    startPrinting(fiveLineJob());
    bridge.trigger(WindowControl::EndProgram);
    EXPECT_EQ(ended, 0);
    bridge.jobTick();
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(jobFiles(), QStringList{QStringLiteral("print.1")});
}

// A register gone in the middle of a job: after a stop request the command
// under way is not sent again, so a second request ends the job within
// that command's own deadline, its line saying it was not answered.
TEST_F(Stops, ASecondRequestWithTheRegisterGoneEndsWithinTheCommandsDeadline)
{
    startPrinting(fiveLineJob());
    qint64 sentAt = -1;
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command != QStringLiteral("KXA2")) {
            script(command, reg);
            return;
        }
        commands << command;
        sentAt = clock.monotonicMs();
        clock.at(sentAt + 1000, [this] {
            bridge.requestStop();
            bridge.requestStop();
        });
    };
    bridge.jobTick();

    EXPECT_EQ(commands, (QStringList{"KXRE", "KXCL", "KXCL", "KXA1", "KXA2"}));
    EXPECT_LE(clock.monotonicMs() - sentAt, 7000 + 250) << "its deadline, then the job's end pause";
    const QStringList lines = masked();
    EXPECT_EQ(lines.filter(QStringLiteral("Err = ")),
              (QStringList{"Err = -4, [KXA2] DateTime = <t>", "Err = -97, [interrupted at line 4 of 7] DateTime = <t>"}));
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 1"));
    EXPECT_EQ(ended, 0);
}

// A stop request during the search ends it within a second even when the
// register never answers: its "KXCL" is not sent again.
TEST_F(Stops, AStopDuringTheSearchEndsItWithinASecond)
{
    silentRegister = true;
    startWith(kParamIni, 0);
    clock.at(3000, [this] { link.stops().request(); });
    bridge.searchTick();
    EXPECT_LT(clock.monotonicMs() - 3000, 1000);
    EXPECT_EQ(commands, QStringList{"KXCL"});
    bridge.requestStop();
    EXPECT_EQ(ended, 0);
}

TEST_F(Stops, TheJournalFollowsTheJobLineByLineAndGoesWithIt)
{
    startPrinting(fiveLineJob());
    QStringList seen; // the journal's last line sent, at each command
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        const auto entry = JobJournal(QStringLiteral("merovan.journal")).read();
        seen << (entry ? QString::number(entry->lastLineSent) : QStringLiteral("-"));
        script(command, reg);
    };
    bridge.jobTick();
    // The receipt number before the job; KXCL KXCL before line 1; KXA1 is
    // line 3 of the file; the end's queries after line 7.
    EXPECT_EQ(seen.join(u' '), QStringLiteral("- 0 0 2 3 4 5 6 7 7"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("merovan.journal")));
}

// What the next start does with the journal that a crash left behind.
TEST_F(Stops, AtStartAJobCutShortIsReportedNotRunAgain)
{
    const struct {
        const char *what;
        bool sameFile, ended;
        QStringList sent, files;
        bool reported;
    } cases[] = {
        {"unchanged", true, false, {"KXRE"}, {"print.1.interrupted"}, true},
        {"written anew", false, false,
         {"KXRE", "KXCL", "KXCL", "KXA1", "KXA2", "KXA3", "KXA4", "KXA5", "KXA6", "KXSTAT", "KXRE"}, {}, false},
        {"ended", true, true, {}, {}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(link.jobResultFile);
        QDir().mkpath(QStringLiteral("jobs"));
        writeJob(fiveLineJob());
        const auto print = identityOf(jobPath());
        ASSERT_TRUE(print);
        JobJournal journal(QStringLiteral("merovan.journal"));
        journal.begin({jobPath(), print->size, print->sha256, 7, QStringLiteral("FIVE"), QStringLiteral("Result"),
                       QStringLiteral("14/03/2026 10:00:00"), 0, false});
        journal.recordLine(4);
        if (c.ended)
            journal.markEnded();
        if (!c.sameFile)
            writeJob(fiveLineJob() + " snd  A6\r\n");
        else
            writeJob(fiveLineJob()); // the same bytes again

        op.boxes.clear();
        commands.clear();
        QStringList sent;
        registerScript = [&](const QString &command, FakeTransport &reg) {
            if (command != QStringLiteral("KXCL") || !bridge.searchTimerActive())
                sent << command;
            reg.arrive(5, reply(command == QStringLiteral("KXRE") ? "00 OK:00012:00034:00005" : "00 OK"));
        };
        startWith(QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] print\r\n[multi type] true\r\n"
                                 "[location] %1/\r\n")
                      .arg(dir.filePath(QStringLiteral("jobs")))
                      .toUtf8(),
                  1);
        bridge.trigger(WindowControl::StartButton);
        bridge.jobTick();

        sent.removeAll(QStringLiteral("KXVER"));
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(jobFiles(), c.files);
        EXPECT_EQ(op.boxes.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(resultLines().value(1), "DateTime start = 14/03/2026 10:00:00") << "the start it had";
            EXPECT_EQ(masked(), (QStringList{"tag = FIVE", "DateTime start = <t>",
                                             "Err = -97, [interrupted at line 4 of 7] DateTime = <t>",
                                             "recStatus = 0;", "receipt = 00012, 00034, 00005, 0", "exitcode = 1"}));
            EXPECT_TRUE(op.boxes.front().text.contains(QStringLiteral("ανοικτή απόδειξη")));
        }
        EXPECT_FALSE(QFile::exists(QStringLiteral("merovan.journal")));
        for (const QString &name : jobFiles())
            QFile::remove(dir.filePath(QStringLiteral("jobs/") + name));
    }
}

// Command-line mode: the job runs once, after the register is found, and
// the exit status is the job's.
TEST_F(Stops, CommandLineRunsTheJobOnceAndEndsWithItsStatus)
{
    const struct {
        const char *what;
        int ignoredKxcl; // the first so many "KXCL" get no answer
        bool jobThere, journalSaysThisJob;
        int status;
        QStringList sent;
        bool jobLeft; // for the host to hand again
    } cases[] = {
        {"first KXCL ignored", 1, true, false, 0,
         {"KXCL", "KXCL", "KXCL", "KXCL", "KXA1", "KXA2", "KXA3", "KXA4", "KXA5", "KXSTAT", "KXRE"}, false},
        {"silent register", 100, true, false, 3, QStringList(40, QStringLiteral("KXCL")), true},
        {"no job file", 0, false, false, 4, {}, false},
        {"handed again after a crash", 0, true, true, 1, {"KXCL", "KXRE"}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        const QString job = folder.filePath(QStringLiteral("job.txt"));
        if (c.jobThere) {
            QFile file(job);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(fiveLineJob());
        }
        if (c.journalSaysThisJob) {
            const auto print = identityOf(job);
            JobJournal(QStringLiteral("merovan.journal"))
                .begin({job, print->size, print->sha256, 7, QStringLiteral("FIVE"), QStringLiteral("Result"),
                        QStringLiteral("14/03/2026 10:00:00"), 2, false});
        }
        QStringList sent;
        int kxcl = 0;
        registerScript = [&](const QString &command, FakeTransport &reg) {
            sent << command;
            if (command != QStringLiteral("KXCL") || ++kxcl > c.ignoredKxcl)
                reg.arrive(5, reply(QStringLiteral("00 OK")));
        };
        Connection connection{[this](TransportKind) {
            auto transport = std::make_unique<FakeTransport>(clock);
            transport->onSend = [this, t = transport.get()](const QString &command) { registerScript(command, *t); };
            return transport;
        }};
        RegisterLink commandLink{clock, op, log, connection};
        Bridge oneJob{op, clock, log, commandLink};
        const auto status = oneJob.start(QStringLiteral("127.0.0.2:5012 5012 %1 0 mikro 0110000").arg(job));
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(QFile::exists(job), c.jobLeft);
        QDir::setCurrent(dir.path());
    }
}

} // namespace
