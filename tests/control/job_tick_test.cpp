#include "bridge_fixture.h"
#include "control/file_ready.h"

#include <QProcess>

using namespace merovan;
using namespace merovan::test;

namespace {

class JobTick : public BridgeTest {
protected:
    // A resident bridge working on the job files "<name>.1".."<name>.10"
    // in the folder jobs/, already printing.
    void startPrinting(const QString &name, const QString &multi = QStringLiteral("true"))
    {
        writeSettings(name, multi);
        bridge.start({});
        bridge.searchTick();
        bridge.trigger(QStringLiteral("Command1"));
    }

    // Every tick reads the settings again.
    void writeSettings(const QString &name, const QString &multi = QStringLiteral("true"))
    {
        QDir().mkpath(QStringLiteral("jobs"));
        writeParam(QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] %1\r\n[multi type] %2\r\n"
                                  "[location] %3/\r\n")
                       .arg(name, multi, dir.filePath(QStringLiteral("jobs")))
                       .toUtf8());
    }

    // A job whose tag names it, so the result file tells which ran.
    void writeJob(const QString &name, const QByteArray &body = {})
    {
        QFile job(dir.filePath(QStringLiteral("jobs/") + name));
        ASSERT_TRUE(job.open(QIODevice::WriteOnly));
        job.write(body.isNull() ? "tag:  " + name.toUtf8() + "\r\n" : body);
    }

    bool exists(const QString &name) const { return QFile::exists(dir.filePath(QStringLiteral("jobs/") + name)); }

    QStringList tags() const
    {
        QFile result(dir.filePath(QStringLiteral("Result")));
        QStringList found;
        if (result.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : result.readAll().split('\n'))
                if (line.startsWith("tag = "))
                    found << QString::fromUtf8(line.mid(6).trimmed());
        }
        return found;
    }
};

TEST_F(JobTick, TakesNumberedJobsOnePerTickInOrder)
{
    startPrinting(QStringLiteral("print"));
    writeJob(QStringLiteral("print.7"));
    writeJob(QStringLiteral("print.3"));
    writeJob(QStringLiteral("print.1"), ""); // empty: not ready
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("print.3")});
    EXPECT_FALSE(exists(QStringLiteral("print.3")));
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναμονη"));
    EXPECT_EQ(window().status(), QStringLiteral("Αναμονη Για Στοιχεια...."));
    bridge.jobTick();
    EXPECT_EQ(tags(), (QStringList{QStringLiteral("print.3"), QStringLiteral("print.7")}));
    bridge.jobTick();
    EXPECT_EQ(tags().size(), 2);
    EXPECT_TRUE(exists(QStringLiteral("print.1")));
}

TEST_F(JobTick, LeavesAJobThatAnotherProgramStillWrites)
{
    startPrinting(QStringLiteral("print"));
    writeJob(QStringLiteral("print.1"));
    writeJob(QStringLiteral("print.2"));
    QProcess writer;
    writer.setWorkingDirectory(dir.filePath(QStringLiteral("jobs")));
    writer.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec 3>>print.1; echo held; exec sleep 30")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));

    EXPECT_FALSE(FileReady(dir.filePath(QStringLiteral("jobs/print.1"))));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("print.2")});
    writer.kill();
    writer.waitForFinished();
    bridge.jobTick();
    EXPECT_EQ(tags(), (QStringList{QStringLiteral("print.2"), QStringLiteral("print.1")}));
}

TEST_F(JobTick, KeepsProgramJobsByTheirExactName)
{
    struct Case {
        QString name;
        bool kept;
    };
    startPrinting(QStringLiteral("print"));
    for (const Case &c : {Case{QStringLiteral("x.prg"), true}, Case{QStringLiteral("X.PRG"), false}}) {
        writeSettings(c.name);
        writeJob(c.name + QStringLiteral(".1"));
        bridge.jobTick();
        EXPECT_EQ(exists(c.name + QStringLiteral(".1")), c.kept) << c.name.toStdString();
        QFile::remove(dir.filePath(QStringLiteral("jobs/") + c.name + QStringLiteral(".1")));
    }
}

TEST_F(JobTick, WildcardNameTakesAMatchingFile)
{
    startPrinting(QStringLiteral("*.txt"));
    writeJob(QStringLiteral("order.txt"));
    writeJob(QStringLiteral("order.dat"));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("order.txt")});
    EXPECT_TRUE(exists(QStringLiteral("order.dat")));
}

TEST_F(JobTick, UnknownWorkingModeTouchesNoJob)
{
    startPrinting(QStringLiteral("print"), QStringLiteral("maybe"));
    writeJob(QStringLiteral("print.1"));
    bridge.jobTick();
    EXPECT_TRUE(tags().isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("print.1")));
    EXPECT_EQ(window().label(QStringLiteral("lblProgr")), QStringLiteral("-"));
}

TEST_F(JobTick, SingleJobRunsTheJobAndEndsTheProgram)
{
    startPrinting(QStringLiteral("one.txt"), QStringLiteral("false"));
    writeJob(QStringLiteral("one.txt"));
    int ended = -1;
    QObject::connect(&bridge, &Bridge::programEnded, [&](int status) { ended = status; });
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("one.txt")});
    EXPECT_FALSE(exists(QStringLiteral("one.txt")));
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QFile::exists(QStringLiteral("receipt.txt")));
}

TEST_F(JobTick, SingleJobWithoutItsFileEndsWithAMessage)
{
    startPrinting(QStringLiteral("missing.txt"), QStringLiteral("false"));
    int ended = -1;
    QObject::connect(&bridge, &Bridge::programEnded, [&](int status) { ended = status; });
    bridge.jobTick();
    EXPECT_EQ(ended, 4);
    ASSERT_EQ(op.fatals.size(), 1);
    EXPECT_TRUE(op.fatals[0].contains(QStringLiteral("missing.txt")));
}

TEST_F(JobTick, NoTickStartsWhileAJobRuns)
{
    startPrinting(QStringLiteral("print"));
    writeJob(QStringLiteral("print.1"));
    writeJob(QStringLiteral("print.2"));
    // The job lets events run; a tick delivered then must not start another.
    int nested = 0;
    op.onEvents = [&] {
        if (bridge.jobRunning() && nested++ == 0)
            bridge.jobTick();
    };
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("print.1")});
    EXPECT_GT(nested, 0);
}

} // namespace
