#include "file_size_limit.h"
#include "link_fixture.h"

#include "core/register_message.h"
#include "device/error_codes.h"

using namespace merovan;
using namespace merovan::test;

namespace {

TEST(registerErrorText, LooksUpNumbersExactlyAndPassesOtherText)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("DE1038"), QStringLiteral("Ανοικτή Απόδειξη, Υποχρεωτική Εξόφληση!")},
        {QStringLiteral("23"), QStringLiteral("Λάθος Ημερομηνία / Ώρα !\rΠατήστε 'Διαγραφή' !")},
        {QStringLiteral("7"), QStringLiteral("Πρόβλημα στην Φορολογική Μνήμη !\rΚαλέστε τεχνικό !")},
        {QStringLiteral("0007"), QStringLiteral("0007")},
        {QStringLiteral("57"), QStringLiteral("Λανθασμένη Λειτουργία  !")},
        {QStringLiteral("-99"), QStringLiteral("Γενικό σφάλμα επικοινωνίας!")},
        {QStringLiteral("9999"), QStringLiteral("9999")},
        {QStringLiteral("OK"), QStringLiteral("OK")},
        {QStringLiteral("1138 extra words"), QStringLiteral("Καταχώρηση σε εξέλιξη, ολοκληρώστε απο την ταμειακή!")},
    };
    for (const auto &[code, text] : cases)
        EXPECT_EQ(registerErrorText(code), text) << code.toStdString();
}

TEST_F(LinkTest, ReadRegisterStatusReadsEveryReplyShape)
{
    const std::pair<QString, qint16> cases[] = {
        {reply(QStringLiteral("STAT:2")), 2},
        {reply(QStringLiteral("STAT:0")), 0},
        {reply(QStringLiteral("0000000DE1064C")), 1064},
        {reply(QStringLiteral("something else")), 0},
        {reply(QStringLiteral("DE0054")), 54},
    };
    for (const auto &[answer, status] : cases) {
        registerScript = [&reply = answer](const QString &command, FakeTransport &reg) {
            if (command == QStringLiteral("KXSTAT"))
                reg.arrive(5, reply);
        };
        EXPECT_EQ(link.readRegisterStatus(), status) << answer.toStdString();
    }
    registerScript = [](const QString &, FakeTransport &) {};
    EXPECT_EQ(link.readRegisterStatus(), -4);
}

class StatusWait : public LinkTest {
protected:
    // The register reports these statuses, one per "KXSTAT".
    void statuses(std::vector<int> sequence)
    {
        sequence_ = std::move(sequence);
        registerScript = [this](const QString &command, FakeTransport &reg) {
            if (command != QStringLiteral("KXSTAT")) {
                reg.arrive(5, reply(QStringLiteral("00 OK")));
                return;
            }
            const int status = sequence_[std::min(polls_++, sequence_.size() - 1)];
            reg.arrive(5, reply(QStringLiteral("STAT:%1").arg(status)));
        };
    }
    std::vector<int> sequence_;
    std::size_t polls_ = 0;
};

TEST_F(StatusWait, ReturnsAtOnceForReceiptStates)
{
    statuses({1});
    link.waitUntilErrorCleared(2, -1);
    EXPECT_TRUE(resultLines().isEmpty());
    EXPECT_TRUE(op.shownWindows.empty());
}

TEST_F(StatusWait, LogsEachNewErrorThenClearedOk)
{
    statuses({1038, 1038, 1064, 0});
    link.waitUntilErrorCleared(2, -1);
    EXPECT_EQ(resultLines(),
              (QStringList{QStringLiteral("Ecr Err:1038, Ανοικτή Απόδειξη, Υποχρεωτική Εξόφληση!, 14/03/2026 10:20:30"),
                           QStringLiteral("Ecr Err:1064, Τέλος Χαρτιού!, 14/03/2026 10:20:33"),
                           QStringLiteral("Ecr Err: Cleared OK, 14/03/2026 10:20:34")}));
    ASSERT_EQ(op.shownWindows.size(), 1u);
}

TEST_F(StatusWait, ShowsAnyUnexpectedStatusAs1138)
{
    statuses({1, 1, 0});
    link.waitUntilErrorCleared(-255, 0);
    const QStringList lines = resultLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Ecr Err:1138, Καταχώρηση σε εξέλιξη")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Ecr Err: Cleared OK, ")));
}

TEST_F(StatusWait, OperatorClosingTheWindowEndsTheWait)
{
    statuses({1064});
    op.onShown = [](const RegisterMessagePtr &window) { window->close(); };
    link.waitUntilErrorCleared(2, -1);
    const QStringList lines = resultLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Ecr Err: Terminated by the user, ")));
}

TEST_F(LinkTest, ClosingFollowsTheCaseInsensitiveComTest)
{
    struct Case {
        QString text;
        TransportKind opened;
        bool kept;
    };
    const Case cases[] = {
        {QStringLiteral("com1:9600"), TransportKind::Serial, false},
        {QStringLiteral("COM3:9600"), TransportKind::Network, false}, // opened as network, closed as serial
        {QStringLiteral("10.0.0.5:9100"), TransportKind::Network, true},
    };
    for (const Case &c : cases) {
        Connection conn{[&](TransportKind kind) {
            kinds.push_back(kind);
            return std::make_unique<FakeTransport>(clock);
        }};
        conn.connectionText = c.text;
        conn.open({});
        EXPECT_EQ(kinds.back(), c.opened) << c.text.toStdString();
        conn.close(c.text);
        EXPECT_EQ(conn.transport() != nullptr, c.kept) << c.text.toStdString();
    }
}

} // namespace

namespace {

// A stop request ends the status wait within a second, also while a status
// query waits for a register that has stopped answering: at 2 s it comes
// in a pause between queries, at 20 s inside an unanswered query.
class StatusWaitStopped : public StatusWait, public ::testing::WithParamInterface<qint64> {};

TEST_P(StatusWaitStopped, AStopRequestEndsTheWaitWithinASecond)
{
    const qint64 stopAt = GetParam();
    statuses({1064, 1064});
    registerScript = [this, script = registerScript](const QString &command, FakeTransport &reg) {
        if (polls_ < 2) // the third query onwards gets no answer
            script(command, reg);
        else
            ++polls_;
    };
    StopRequests &stops = link.stops();
    clock.at(stopAt, [&stops] { stops.request(); });
    link.waitUntilErrorCleared(2, -1);
    EXPECT_LT(clock.monotonicMs() - stopAt, 1000);
    EXPECT_TRUE(resultLines().last().startsWith(QStringLiteral("Ecr Err: Terminated by the user, ")));
    EXPECT_FALSE(op.shownWindows.back()->isOpen());
}

INSTANTIATE_TEST_SUITE_P(During, StatusWaitStopped, ::testing::Values(2000, 20000));

TEST_F(LinkTest, AfterTwoStopRequestsNothingMoreIsSent)
{
    link.stops().request();
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXA1"), {.silent = false});
    EXPECT_EQ(sent.code, 0) << "the first request lets work go on";
    link.stops().request();
    sent = link.sendCommand(QStringLiteral("KXA2"), {.silent = false});
    EXPECT_EQ(sent.code, RegisterLink::kStoppedCode);
    EXPECT_EQ(fake->sent, QStringList{QStringLiteral("KXA1\r\n")});
    EXPECT_TRUE(resultLines().isEmpty());
    EXPECT_TRUE(op.boxes.empty());
}

// A device that goes away fails every command at once; the next job's
// first command opens it anew.
TEST_F(LinkTest, ALostDeviceFailsAtOnceUntilItIsOpenedAgain)
{
    connection.connectionText = QStringLiteral("com1:9600");
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXA1"), {.silent = true});
    fake->loseDevice();
    const qint64 before = clock.monotonicMs();
    sent = link.sendCommand(QStringLiteral("KXA2"), {.silent = true});
    EXPECT_EQ(sent.code, -1);
    EXPECT_EQ(sent.text, QStringLiteral("Πρόβλημα στην Θύρα :com1:9600"));
    EXPECT_EQ(clock.monotonicMs(), before);
    ASSERT_EQ(resultLines().size(), 1);
    EXPECT_TRUE(resultLines().front().startsWith(QStringLiteral("Err = -1, [KXA2] DateTime = ")));

    connection.connectionText = QStringLiteral("com1"); // as a job tick refreshes it: no baud
    connection.dropLostTransport();
    sent = link.sendCommand(QStringLiteral("KXA3"), {.silent = true});
    EXPECT_EQ(sent.code, 0);
    EXPECT_EQ(kinds, (std::vector<TransportKind>{TransportKind::Serial, TransportKind::Serial}));
    EXPECT_EQ(fake->opened, QStringList{QStringLiteral("com1:9600")}) << "opened again as it was first";
    EXPECT_EQ(fake->sent, QStringList{QStringLiteral("KXA3\r\n")});
}

} // namespace

namespace {

// Replies no register should send: each gets a defined outcome.
TEST_F(LinkTest, GarbageRepliesGetDefinedOutcomes)
{
    const struct {
        const char *what;
        QString reply;
        bool silent;
        qint16 result;
        QString message;
    } cases[] = {
        {"binary bytes", QString::fromLatin1("\x01\x02\x7f ok\r\x04"), true, 0, QString::fromLatin1("\x01\x02\x7f ok")},
        {"a lone EOT", QStringLiteral("\x04"), true, 0, QString()},
        {"10,000 characters", QString(9998, QLatin1Char('x')) + QStringLiteral("\r\x04"), true, 0,
         QString(9998, QLatin1Char('x'))},
        {"DE and no number", QStringLiteral("DEXYZW"), false, -99, QStringLiteral("-99")},
        {"DE and a number too big for a code", QStringLiteral("DE99999999"), false, -99, QStringLiteral("-99")},
        {"DE and a number too big, silent", QStringLiteral("DE99999999"), true, 9999, QStringLiteral("9999")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        registerScript = [&](const QString &command, FakeTransport &reg) {
            reg.arrive(5, command == QStringLiteral("KXCL") ? reply(QStringLiteral("00 OK")) : c.reply);
        };
        CommandResult sent;
        sent = link.sendCommand(QStringLiteral("KXA1"), {.silent = c.silent});
        EXPECT_EQ(sent.code, c.result);
        EXPECT_EQ(sent.text, c.message);
    }
}

TEST_F(LinkTest, StatusRepliesThatDoNotFitACodeReadAsTheGeneralError)
{
    const std::pair<QString, qint16> cases[] = {
        {reply(QStringLiteral("STAT:99999999999")), -99},
        {reply(QStringLiteral("0000000DE99999999999C")), -99},
        {reply(QStringLiteral("STAT:")), 0},
        {reply(QStringLiteral("STAT:-32768")), -32768},
    };
    for (const auto &[answer, status] : cases) {
        registerScript = [&reply = answer](const QString &, FakeTransport &reg) { reg.arrive(5, reply); };
        EXPECT_EQ(link.readRegisterStatus(), status) << answer.toStdString();
    }
}

} // namespace

namespace {

// Result lines that cannot go where the job says are not lost: they go to
// "Result" in the working folder, or to "Result.unsent", and the operator
// is told once. A block that moves there starts with its own tag and start
// lines, and its rest follows it, so that each block there is whole.
TEST_F(LinkTest, ResultLinesThatCannotBeWrittenGoElsewhereAsWholeBlocks)
{
    const QByteArray block = "tag = A\r\nDateTime start = 07/12/2026 10:00:00\r\nDateTime end = 07/12/2026 "
                             "10:00:05\r\nexitcode = 0\r\n";
    const struct {
        const char *what;
        QString target;
        bool resultIsAFolder;
        qint64 fullAfter; // bytes of the target that fit on the disk; 0: no limit
        QString writtenTo;
        QByteArray divertedBlock, leftInTarget;
    } cases[] = {
        {"a folder that does not exist", QStringLiteral("missing/out.txt"), false, 0, QStringLiteral("Result"), block, {}},
        {"an empty resFile:", QString(), false, 0, QStringLiteral("Result"), block, {}},
        {"Result cannot be written either", QStringLiteral("missing/out.txt"), true, 0, QStringLiteral("Result.unsent"),
         block, {}},
        {"a disk that fills in the middle of the block", QStringLiteral("host/out.txt"), false, 4096 + 60,
         QStringLiteral("Result"), block, QByteArray(4096, 'x') + "tag = A\r\nDateTime start = 07/12/2026 10:00:00\r\n"},
    };
    const QString previous = QDir::currentPath();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        if (c.resultIsAFolder)
            QDir().mkpath(QStringLiteral("Result"));
        if (!c.leftInTarget.isEmpty()) {
            QDir().mkpath(QStringLiteral("host"));
            QFile earlier(c.target); // earlier jobs' blocks
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write(QByteArray(4096, 'x'));
        }
        op.boxes.clear();
        link.beginJobResult(c.target);
        {
            std::optional<FileSizeLimit> disk;
            if (c.fullAfter)
                disk.emplace(c.fullAfter);
            for (const QByteArray &line : block.split('\n'))
                if (!line.isEmpty())
                    link.appendResult(QString::fromLatin1(line.chopped(1)));
        }
        QFile written(c.writtenTo);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray diverted = written.readAll();
        EXPECT_EQ(diverted.right(c.divertedBlock.size()), c.divertedBlock);
        if (!c.leftInTarget.isEmpty()) {
            QFile target(c.target);
            ASSERT_TRUE(target.open(QIODevice::ReadOnly));
            EXPECT_EQ(target.readAll(), c.leftInTarget) << "no torn line is left behind";
        }
        ASSERT_EQ(op.boxes.size(), 1u);
        EXPECT_TRUE(op.boxes.front().text.contains(c.writtenTo)) << op.boxes.front().text.toStdString();
    }
    QDir::setCurrent(previous);
}

} // namespace
