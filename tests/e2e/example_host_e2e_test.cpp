// The example host of docs/job-files.md, run as it stands there, against
// merovand and merovan-sim over UDP: it hands a receipt over and reads its
// own result block.
#include "bridge_against_simulator.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace merovan::test {
namespace {

// The first Python block after the guide's heading of the example host.
QByteArray exampleHost()
{
    const QString guide = QString::fromUtf8(readFile(QStringLiteral(DOCS_DIR "/job-files.md")));
    const QString section = guide.section(QStringLiteral("\n## An example host\n"), 1);
    static const QRegularExpression block(QStringLiteral("```python\n(.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    return block.match(section).captured(1).toUtf8();
}

TEST_F(BridgeAgainstSimulator, TheGuidesExampleHostHandsOverAReceiptAndReadsItsOwnBlock)
{
    const QByteArray host = exampleHost();
    ASSERT_TRUE(host.contains("def hand_over")) << "the guide's example host";
    QFile script(path(QStringLiteral("host.py")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write(host) == host.size());
    script.close();

    startSimulator(Link::Udp, {QStringLiteral("--paper"), path(QStringLiteral("paper.txt"))});
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("jobs")));
    preparePrintingFolder({}, path(QStringLiteral("jobs")));
    auto bridge = startBridge();
    ASSERT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000))
        << bridge->errors().toStdString();

    // An earlier job's block in the same result file is not the host's.
    QFile result(path(QStringLiteral("result.txt")));
    ASSERT_TRUE(result.open(QIODevice::WriteOnly));
    result.write("tag = other\r\nDateTime start = 01/01/2026 10:00:00\r\nexitcode = 1\r\n");
    result.close();

    QProcess run;
    run.start(QStringLiteral("python3"), {path(QStringLiteral("host.py")), path(QStringLiteral("jobs")),
                                          path(QStringLiteral("result.txt"))});
    ASSERT_TRUE(run.waitForFinished(60000)) << "hang guard";
    const QStringList block = QString::fromUtf8(run.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    ASSERT_EQ(block.size(), 6) << block.join(u'\n').toStdString();
    EXPECT_TRUE(block[0].startsWith(QStringLiteral("tag = ")) && block[0] != QStringLiteral("tag = other"));
    EXPECT_TRUE(block[1].startsWith(QStringLiteral("DateTime start = ")));
    EXPECT_EQ(block.mid(3), (QStringList{QStringLiteral("recStatus = 0;"),
                                         QStringLiteral("receipt = 00001, 00001, 00000, 0"),
                                         QStringLiteral("exitcode = 0")}));

    const QString paper = QString::fromUtf8(readFile(path(QStringLiteral("paper.txt"))));
    EXPECT_EQ(paper.count(QStringLiteral("ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ")), 1) << paper.toStdString();
    EXPECT_TRUE(paper.contains(QStringLiteral("ΠΛΗΡΩΜΗ 1                           5,00")) &&
                !paper.contains(QStringLiteral("ΡΕΣΤΑ")))
        << "5,00 paid in cash for 5,00 of coffee\n" << paper.toStdString();
    EXPECT_EQ(QDir(path(QStringLiteral("jobs"))).entryList(QDir::Files | QDir::Hidden), QStringList{})
        << "the job is taken and the hidden file removed";
}

} // namespace
} // namespace merovan::test
