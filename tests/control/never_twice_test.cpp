// A job runs once whatever the disk says: a job file that cannot be removed
// is remembered as done, and no job is taken while it could not be
// recorded.
#include "bridge_fixture.h"
#include "interpreter/job_journal.h"

#include <sys/stat.h>

using namespace merovan;
using namespace merovan::test;

namespace {

// Removal and renaming fail as in a folder the bridge may read but not change.
class ReadOnlyFolder : public JobFileDisposal {
public:
    bool remove(const QString &path, QString &why) override
    {
        return refusing ? refuse(why) : JobFileDisposal::remove(path, why);
    }
    bool setAside(const QString &path, const QString &suffix, QString &why) override
    {
        return refusing ? refuse(why) : JobFileDisposal::setAside(path, suffix, why);
    }
    bool refusing = true;

private:
    static bool refuse(QString &why)
    {
        why = QStringLiteral("Permission denied");
        return false;
    }
};

class NeverTwice : public BridgeTest {
protected:
    NeverTwice()
    {
        QDir().mkpath(QStringLiteral("jobs"));
        bridge.setJobFileDisposal(folder);
    }
    QString jobs() const { return dir.filePath(QStringLiteral("jobs")); }
    QByteArray ini(const char *file, const char *multi) const
    {
        return QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] %1\r\n[multi type] %2\r\n[location] %3/\r\n")
            .arg(QLatin1String(file), QLatin1String(multi), jobs())
            .toUtf8();
    }
    void startPrinting(const char *file, const char *multi)
    {
        startWith(ini(file, multi), 1);
        bridge.trigger(WindowControl::StartButton);
    }
    // The job's own commands, without the receipt queries around them.
    QStringList jobCommands() const { return commands.filter(QStringLiteral("KXA")); }
    QString tags() const { return resultLines().filter(QStringLiteral("tag = ")).join(u' ').remove(QStringLiteral("tag = ")); }

    ReadOnlyFolder folder;
};

// In every mode: the job runs once, the operator hears of the file once,
// a restart does not run it again, and a file written anew under its name
// is a new job.
TEST_F(NeverTwice, AJobFileThatCannotBeRemovedRunsOnceInEveryMode)
{
    const struct {
        const char *mode, *file, *multi;
        bool commandLine;
        std::optional<int> restartStatus; // of a bridge started again with the file unchanged
    } cases[] = {
        {"multi-file", "print", "true", false, std::nullopt},
        {"single job", "one.txt", "false", false, Bridge::kJobRanAlready},
        {"command line", "one.txt", "", true, Bridge::kJobRanAlready},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        const QString path = jobs() + (c.multi == QByteArray("true") ? "/print.1" : "/one.txt");
        ASSERT_TRUE(writeSettledJob(path, passThroughJob("FIRST", "A1")));
        commands.clear();
        op.boxes.clear();
        op.fatals.clear();
        const auto runBridge = [&](Bridge &b) -> std::optional<int> {
            b.setJobFileDisposal(folder);
            if (c.commandLine)
                return b.start(QStringLiteral("127.0.0.2:5012 5012 %1 0 mikro 0110000").arg(path));
            std::optional<int> status;
            QObject::connect(&b, &Bridge::programEnded, [&](int s) { status = s; });
            QFile param(QStringLiteral("param.ini"));
            EXPECT_TRUE(param.open(QIODevice::WriteOnly));
            param.write(ini(c.file, c.multi));
            param.close();
            b.start({});
            b.searchTick();
            b.trigger(WindowControl::StartButton);
            b.jobTick();
            b.jobTick();
            return status;
        };
        {
            Bridge first{op, clock, log, link};
            runBridge(first);
        }
        EXPECT_EQ(jobCommands(), QStringList{QStringLiteral("KXA1")});
        ASSERT_EQ(op.boxes.size(), 1u);
        EXPECT_TRUE(op.boxes.front().text.contains(path)) << op.boxes.front().text.toStdString();
        EXPECT_TRUE(op.boxes.front().text.contains(QStringLiteral("Permission denied")));
        EXPECT_TRUE(QFile::exists(path));

        Bridge again{op, clock, log, link};
        EXPECT_EQ(runBridge(again), c.restartStatus);
        EXPECT_EQ(jobCommands(), QStringList{QStringLiteral("KXA1")}) << "not run again after a restart";
        EXPECT_EQ(op.boxes.size(), 1u) << "told once per file";

        // The host writes a new job under the same name: it runs, once.
        ASSERT_TRUE(writeSettledJob(path, passThroughJob("SECOND", "A2")));
        Bridge third{op, clock, log, link};
        runBridge(third);
        EXPECT_EQ(jobCommands(), (QStringList{QStringLiteral("KXA1"), QStringLiteral("KXA2")}));
        QFile::remove(path);
        QFile::remove(QStringLiteral("merovan.journal"));
    }
}

TEST_F(NeverTwice, TheNextJobRunsOnceTheFolderCanBeChanged)
{
    startPrinting("print", "true");
    ASSERT_TRUE(writeSettledJob(jobs() + "/print.1", passThroughJob("ONE", "A1")));
    bridge.jobTick();
    EXPECT_EQ(window().status().left(47), QStringLiteral("Δεν ήταν δυνατή η διαγραφή του αρχείου εργασίας"));
    folder.refusing = false;
    ASSERT_TRUE(writeSettledJob(jobs() + "/print.2", passThroughJob("TWO", "A2")));
    bridge.jobTick();
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("ONE TWO"));
    EXPECT_EQ(QDir(jobs()).entryList(QDir::Files), QStringList{QStringLiteral("print.1")});
    EXPECT_EQ(op.boxes.size(), 1u);
}

// No record, no receipt: while the journal or every result file cannot be
// written no job is taken; the status line says why, the operator hears it
// once, and the work resumes by itself once it can.
TEST_F(NeverTwice, NoJobIsTakenWhileItCannotBeRecorded)
{
    const struct {
        const char *what;
        QStringList blockers; // folders standing where files must be written
        const char *resultFile;
        const char *status;
    } cases[] = {
        {"journal", {"merovan.journal/x"}, "Result", "Δεν είναι δυνατή η εγγραφή του ημερολογίου εργασιών"},
        {"every result file", {"Result/x", "Result.unsent/x"}, "missing/out.txt", "Ο χρήστης "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString &blocker : c.blockers)
            QDir().mkpath(blocker);
        folder.refusing = false;
        commands.clear();
        op.boxes.clear();
        Bridge b{op, clock, log, link};
        b.setJobFileDisposal(folder);
        QFile param(QStringLiteral("param.ini"));
        ASSERT_TRUE(param.open(QIODevice::WriteOnly));
        param.write(ini("print", "true"));
        param.close();
        b.start({});
        if (c.blockers.front().startsWith(QStringLiteral("merovan.journal"))) {
            EXPECT_EQ(op.boxes.size(), 1u) << "said at start-up, before any job";
        }
        b.searchTick();
        b.trigger(WindowControl::StartButton);
        const QByteArray bytes =
            QByteArray("tag:  T\r\nresFile:  ") + c.resultFile + "\r\n snd  A1\r\n";
        ASSERT_TRUE(writeSettledJob(jobs() + "/print.1", bytes));
        b.jobTick();
        b.jobTick();
        EXPECT_TRUE(jobCommands().isEmpty());
        EXPECT_TRUE(window().status().startsWith(QString::fromUtf8(c.status))) << window().status().toStdString();
        EXPECT_EQ(op.boxes.size(), 1u);
        EXPECT_TRUE(QFile::exists(jobs() + "/print.1"));

        for (const QString &blocker : c.blockers)
            QDir(blocker.section(u'/', 0, 0)).removeRecursively();
        b.jobTick();
        EXPECT_EQ(jobCommands(), QStringList{QStringLiteral("KXA1")});
        EXPECT_FALSE(QFile::exists(jobs() + "/print.1"));
        QFile::remove(QStringLiteral("Result"));
    }
}

// A job renamed over the one running is a new job: it is left for the next
// tick, not deleted unrun.
TEST_F(NeverTwice, AJobRenamedOverTheRunningOneRunsNext)
{
    folder.refusing = false;
    startPrinting("print", "true");
    ASSERT_TRUE(writeSettledJob(jobs() + "/print.1", passThroughJob("OLD", "A1")));
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command == QStringLiteral("KXA1")) {
            EXPECT_TRUE(writeSettledJob(jobs() + "/new.tmp", passThroughJob("NEW", "A2")));
            QFile::remove(jobs() + "/print.1");
            EXPECT_TRUE(QFile::rename(jobs() + "/new.tmp", jobs() + "/print.1"));
        }
        script(command, reg);
    };
    bridge.jobTick();
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("OLD NEW"));
    EXPECT_EQ(jobCommands(), (QStringList{QStringLiteral("KXA1"), QStringLiteral("KXA2")}));
    EXPECT_TRUE(QDir(jobs()).entryList(QDir::Files).isEmpty());
}

// A journal entry that names something other than a file (a pipe would
// block a reader for ever) is dropped: the start goes on.
TEST_F(NeverTwice, AJournalEntryThatIsNotAFileIsDropped)
{
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    JobJournal(QStringLiteral("merovan.journal"))
        .begin({pipe, 0, "00", 3, QStringLiteral("P"), QStringLiteral("Result"), QStringLiteral("x"), 1, false});
    startPrinting("print", "true");
    EXPECT_FALSE(QFile::exists(QStringLiteral("merovan.journal")));
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_TRUE(resultLines().isEmpty());
}

// A journal from the first format (before jobs were remembered) is still
// reported after an upgrade.
TEST_F(NeverTwice, AJournalOfTheFirstFormatIsStillRead)
{
    const QString path = jobs() + "/print.1";
    ASSERT_TRUE(writeSettledJob(path, passThroughJob("OLD", "A1")));
    const auto id = identityOf(path);
    QFile journal(QStringLiteral("merovan.journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("merovan job journal 1\npath=" + path.toUtf8() + "\nsize=" + QByteArray::number(id->size) +
                  "\nsha256=" + id->sha256 + "\nlines=3\ntag=OLD\nresult=Result\nstarted=x\nline=2\nended=0\n");
    journal.close();
    folder.refusing = false;
    startPrinting("print", "true");
    EXPECT_EQ(QDir(jobs()).entryList(QDir::Files), QStringList{QStringLiteral("print.1.interrupted")});
    EXPECT_TRUE(jobCommands().isEmpty());
}

} // namespace

namespace {

// Each line is appended to the journal; one that a crash cut short counts
// for nothing, so the report never names a line that was not reached.
TEST(JobJournalLines, ALineCutShortByACrashIsPassedOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("merovan.journal"));
    JobJournal journal(path);
    ASSERT_TRUE(journal.begin({QStringLiteral("/srv/jobs/print.1"), 10, "ab", 30, QStringLiteral("T"),
                               QStringLiteral("Result"), QStringLiteral("x"), 0, false}));
    ASSERT_TRUE(journal.recordLine(12));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("line=1"); // "line=13" when the power went
    file.close();
    EXPECT_EQ(JobJournal(path).read()->lastLineSent, 12);
}

} // namespace
