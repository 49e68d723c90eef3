// Golden cases: each folder under golden/ holds a job ("job.txt"), optional
// extra settings ("param.ini" lines added to the defaults), simulator
// switches ("sim.args", one per line), payment types ("payeft.dat") and,
// for a command-line run instead of a resident one, its six fields
// ("command.line"),
// and what must come out: the simulator's command trace ("trace.txt") and
// the result file ("result.txt", time stamps written as <time>). merovand
// runs the job against merovan-sim over UDP on loopback and again over a
// pseudo-terminal: the same job gives the same trace and result either way.
//
// After a deliberate change, MEROVAN_UPDATE_GOLDEN=1 rewrites the expected
// files from what the programs produced; review the diff before committing.
#include "processes.h"
#include "qt_printers.h"
#include "register_end.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace merovan::test;

namespace {

QStringList caseNames()
{
    return QDir(QStringLiteral(GOLDEN_DIR)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class Golden : public ::testing::TestWithParam<std::tuple<QString, bool>> {};

TEST_P(Golden, TraceAndResultMatch)
{
    const auto &[caseName, overPty] = GetParam();
    const QDir source(QStringLiteral(GOLDEN_DIR "/") + caseName);
    QTemporaryDir work;
    const QDir dir(work.path());
    dir.mkpath(QStringLiteral("jobs"));

    const quint16 port = RegisterEnd(RegisterEnd::Udp).port(); // free again once the probe goes
    const QString pty = dir.filePath(QStringLiteral("ttySIM"));
    QStringList simArguments = overPty ? QStringList{QStringLiteral("--pty"), pty}
                                       : QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.2:%1").arg(port)};
    simArguments << QStringLiteral("--trace") << dir.filePath(QStringLiteral("trace.txt")) << QStringLiteral("--paper")
                 << dir.filePath(QStringLiteral("paper.txt"));
    for (const QByteArray &line : readFile(source.filePath(QStringLiteral("sim.args"))).split('\n'))
        if (!line.trimmed().isEmpty())
            simArguments << QString::fromUtf8(line.trimmed());
    Program simulator(QStringLiteral(MEROVAN_SIM), simArguments, dir.path());
    ASSERT_TRUE(simulator.waitForOutput(QStringLiteral("ready on"), 10000)) << simulator.errors().toStdString();

    const QByteArray link = overPty ? QByteArray("[port] com1\r\n[baud] 9600")
                                    : "[port] 127.0.0.2\r\n[baud] " + QByteArray::number(port);
    const QStringList environment{QStringLiteral("MEROVAN_COM1=") + pty};
    const QByteArray param = link + "\r\n[file] print\r\n[ecrt] mikro\r\n[multi type] true\r\n[time] 0\r\n"
                             "[print_desc] true\r\n[print_code] falseN\r\n[comments] true\r\n[currency]=0\r\n"
                             "[keyb_off]=false\r\n[dir_depa]=false\r\n[quantity]=false\r\n[AutoStar]=yes\r\n"
                             "[location] " + dir.filePath(QStringLiteral("jobs/")).toUtf8() + "\r\n" +
                             readFile(source.filePath(QStringLiteral("param.ini")));
    writeFile(dir.filePath(QStringLiteral("param.ini")), param);
    writeFile(dir.filePath(QStringLiteral("vats.dat")), readFile(QStringLiteral(GOLDEN_DIR "/vats.dat")));
    if (source.exists(QStringLiteral("payeft.dat")))
        writeFile(dir.filePath(QStringLiteral("payeft.dat")), readFile(source.filePath(QStringLiteral("payeft.dat"))));
    const QByteArray commandLine = readFile(source.filePath(QStringLiteral("command.line"))).trimmed();
    const QString jobPath = dir.filePath(commandLine.isEmpty() ? QStringLiteral("jobs/print.1") : QStringLiteral("job.txt"));
    // Written whole under another name, then renamed: the way a host hands over a job.
    writeFile(jobPath + QStringLiteral(".tmp"), readFile(source.filePath(QStringLiteral("job.txt"))));
    QFile::rename(jobPath + QStringLiteral(".tmp"), jobPath);

    if (commandLine.isEmpty()) {
        Program bridge(QStringLiteral(MEROVAND), {}, dir.path(), environment);
        ASSERT_TRUE(bridge.waitForOutput(QStringLiteral("caption: Merovan- Αναμονη"), 60000))
            << bridge.errors().toStdString();
    } else {
        // One job named by six fields: {port} and {job} stand for this run's
        // (over the pseudo-terminal the register is com1 at 9600 baud).
        QString fields = QString::fromUtf8(commandLine);
        if (overPty)
            fields.replace(QStringLiteral("127.0.0.2:{port}"), QStringLiteral("com1:9600"))
                .replace(QStringLiteral("{port}"), QStringLiteral("9600"));
        fields.replace(QStringLiteral("{port}"), QString::number(port)).replace(QStringLiteral("{job}"), jobPath);
        Program bridge(QStringLiteral(MEROVAND), fields.split(QLatin1Char(' ')), dir.path(), environment);
        ASSERT_EQ(bridge.waitForExit(60000), 0) << bridge.errors().toStdString();
    }

    const QByteArray trace = readFile(dir.filePath(QStringLiteral("trace.txt")));
    const QByteArray result = maskTimes(QString::fromLatin1(readFile(dir.filePath(QStringLiteral("Result"))))).toLatin1();
    if (qEnvironmentVariableIsSet("MEROVAN_UPDATE_GOLDEN")) {
        writeFile(source.filePath(QStringLiteral("trace.txt")), trace);
        writeFile(source.filePath(QStringLiteral("result.txt")), result);
        return;
    }
    EXPECT_EQ(QString::fromLatin1(trace).split(QLatin1Char('\n')),
              QString::fromLatin1(readFile(source.filePath(QStringLiteral("trace.txt")))).split(QLatin1Char('\n')));
    EXPECT_EQ(QString::fromLatin1(result).split(QStringLiteral("\r\n")),
              QString::fromLatin1(readFile(source.filePath(QStringLiteral("result.txt")))).split(QStringLiteral("\r\n")));
    EXPECT_FALSE(QFile::exists(jobPath)) << "a finished job is deleted";
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::Combine(::testing::ValuesIn(caseNames()), ::testing::Bool()),
                         [](const auto &info) {
                             return std::get<0>(info.param).toStdString() + (std::get<1>(info.param) ? "_pty" : "_udp");
                         });

} // namespace
