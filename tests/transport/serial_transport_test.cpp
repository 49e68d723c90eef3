#include "device/transport/serial_device_name.h"
#include "device/transport/serial_transport.h"
#include "register_end.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace merovan {
namespace {

using test::RegisterEnd;

TEST(SerialTransport, MapsComNToTheNthPortUnlessTheEnvironmentNamesADevice)
{
    qunsetenv("MEROVAN_COM1");
    qunsetenv("MEROVAN_COM12");
    qputenv("MEROVAN_COM3", "/dev/ttyUSB0");
    const std::pair<const char *, const char *> cases[] = {
        {"com1", "/dev/ttyS0"}, {"com12", "/dev/ttyS11"}, {"com3", "/dev/ttyUSB0"},
        {"com0", ""},           {"comx", ""},             {"lpt1", ""},
    };
    for (const auto &[port, device] : cases)
        EXPECT_EQ(serialDeviceName(QString::fromLatin1(port)), QString::fromLatin1(device)) << port;
    qunsetenv("MEROVAN_COM3");
}

TEST(SerialTransport, OpenFailuresGiveTheirCodeAndTextAndOnlyAnOpenPortIsHeld)
{
    RegisterEnd pty(RegisterEnd::Pty);
    const QString com1 = pty.connectionText();
    qputenv("MEROVAN_COM9", "/nonexistent/tty");
    const std::tuple<QString, qint16, QString> cases[] = {
        {QStringLiteral("com9:9600"), -1, QStringLiteral("Πρόβλημα στην Θύρα :com9:9600")},
        {QStringLiteral("com1:abc"), -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1:abc")},
        {QStringLiteral("com1:0"), -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1:0")},
        {QStringLiteral("com1"), -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1")},
    };
    for (const auto &[portText, result, text] : cases) {
        SerialTransport com;
        EXPECT_EQ(com.open(portText), result);
        EXPECT_EQ(com.lastFailure().code, result);
        EXPECT_EQ(com.lastFailure().text, text);
        EXPECT_FALSE(com.isOpen());
        SerialTransport next;
        EXPECT_EQ(next.open(com1), 0) << portText.toStdString() << ": a failed open must not hold the port";
    } // and destroying an open one lets the next open it
    qunsetenv("MEROVAN_COM9");

    SerialTransport holder, other;
    ASSERT_EQ(holder.open(com1), 0);
    EXPECT_EQ(other.open(com1), -1) << "the port is held alone";
    holder.close();
    EXPECT_EQ(other.open(com1), 0) << "until shut down";
}

// The far end writes from its own thread while the transport reads.
TEST(SerialTransport, ReadsWhatArrivesTogetherAsOneReplyOfAtMost255Bytes)
{
    const std::tuple<QByteArray, int, QByteArray, QStringList> cases[] = {
        {"KX", 5, "CL\x04", {QStringLiteral("KXCL\x04")}},
        {"ONE", 60, "TWO", {QStringLiteral("ONE"), QStringLiteral("TWO")}},
        // A reply ending in EOT is complete: what follows it is the next read.
        {"00 OK\r\x04", 5, "X", {QStringLiteral("00 OK\r\x04"), QStringLiteral("X")}},
        {QByteArray(255, 'a') + QByteArray(45, 'b'), 0, {},
         {QString(255, QLatin1Char('a')), QString(45, QLatin1Char('b'))}},
    };
    for (const auto &[first, pauseMs, second, expected] : cases) {
        RegisterEnd pty(RegisterEnd::Pty);
        SerialTransport com;
        ASSERT_EQ(com.open(pty.connectionText()), 0);
        std::thread farEnd([&pty, &start = first, pause = pauseMs, &rest = second] {
            pty.send(start);
            QThread::msleep(pause);
            pty.send(rest);
        });
        QStringList reads;
        for (qsizetype i = 0; i < expected.size(); ++i)
            reads << com.receive(1000);
        farEnd.join();
        EXPECT_EQ(reads, expected);
    }
}

TEST(SerialTransport, AVanishedDeviceFailsQuietlyWithoutHanging)
{
    RegisterEnd pty(RegisterEnd::Pty);
    SerialTransport com;
    ASSERT_EQ(com.open(pty.connectionText()), 0);
    pty.hangUp();
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(com.receive(1000), QString());
    EXPECT_FALSE(com.send(QStringLiteral("KXCL")));
    EXPECT_FALSE(com.waitForData(100));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_TRUE(com.lost());
    EXPECT_EQ(com.lastFailure().text, QStringLiteral("Πρόβλημα στην Θύρα :") + pty.connectionText());
}

} // namespace
} // namespace merovan
