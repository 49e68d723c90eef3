#include "device/transport/serial_device_name.h"
#include "wires.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace merovan {
namespace {

TEST(SerialTransport, MapsComNToTheNthPortUnlessTheEnvironmentNamesADevice)
{
    qunsetenv("MEROVAN_COM1");
    qunsetenv("MEROVAN_COM12");
    qputenv("MEROVAN_COM3", "/dev/ttyUSB0");
    const struct {
        const char *port;
        const char *device;
    } cases[] = {
        {"com1", "/dev/ttyS0"}, {"com12", "/dev/ttyS11"}, {"com3", "/dev/ttyUSB0"},
        {"com0", ""},           {"comx", ""},             {"lpt1", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(serialDeviceName(QString::fromLatin1(c.port)), QString::fromLatin1(c.device)) << c.port;
    qunsetenv("MEROVAN_COM3");
}

TEST(SerialTransport, OpenFailuresGiveTheirCodeAndTextAndLeaveThePortClosed)
{
    PseudoTerminal pty;
    const struct {
        QString portText;
        QByteArray com9Device;  // MEROVAN_COM9; empty: unset
        qint16 result;
        QString text;
    } cases[] = {
        {QStringLiteral("com9:9600"), {}, -1, QStringLiteral("Πρόβλημα στην Θύρα :com9:9600")},
        {QStringLiteral("com9:9600"), "/nonexistent/tty", -1, QStringLiteral("Πρόβλημα στην Θύρα :com9:9600")},
        {QStringLiteral("com1:abc"), {}, -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1:abc")},
        {QStringLiteral("com1:0"), {}, -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1:0")},
        {QStringLiteral("com1"), {}, -2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :com1")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.portText.toStdString() + " " + c.com9Device.toStdString());
        if (c.com9Device.isEmpty())
            qunsetenv("MEROVAN_COM9");
        else
            qputenv("MEROVAN_COM9", c.com9Device);
        cCom com;
        EXPECT_EQ(openOn(com, pty, c.portText), c.result);
        EXPECT_EQ(com.Result, c.result);
        EXPECT_EQ(com.exResult, c.text);
        EXPECT_FALSE(com.isOpen());
        cCom next;
        EXPECT_EQ(openOn(next, pty), 0) << "a failed open must not hold the port";
    }
}

TEST(SerialTransport, HoldsThePortAloneUntilShutDownOrDestroyed)
{
    PseudoTerminal pty;
    cCom other;
    {
        cCom com;
        ASSERT_EQ(openOn(com, pty), 0);
        EXPECT_EQ(openOn(other, pty), -1);
        com.ShutdownConnection();
        EXPECT_EQ(openOn(other, pty), 0);
        other.ShutdownConnection();
        ASSERT_EQ(openOn(com, pty), 0);
    }
    EXPECT_EQ(openOn(other, pty), 0);
}

// The far end writes from its own thread while the transport reads.
void writeWithPause(PseudoTerminal &pty, const QByteArray &first, int pauseMs, const QByteArray &second)
{
    pty.write(first);
    QThread::msleep(pauseMs);
    pty.write(second);
}

TEST(SerialTransport, AReplyArrivingInPiecesIsReadWhole)
{
    SerialWire wire;
    std::thread farEnd(writeWithPause, std::ref(wire.pty), "KX", 5, "CL\x04");
    EXPECT_EQ(wire.com.ReceiveData(1000), QStringLiteral("KXCL\x04"));
    farEnd.join();
}

TEST(SerialTransport, RepliesFarApartAreReadApart)
{
    SerialWire wire;
    std::thread farEnd(writeWithPause, std::ref(wire.pty), "ONE", 60, "TWO");
    EXPECT_EQ(wire.com.ReceiveData(1000), QStringLiteral("ONE"));
    EXPECT_EQ(wire.com.ReceiveData(1000), QStringLiteral("TWO"));
    farEnd.join();
}

TEST(SerialTransport, ReadsAtMost255BytesAndKeepsTheRestForTheNextRead)
{
    SerialWire wire;
    wire.pty.write(QByteArray(255, 'a') + QByteArray(45, 'b'));
    EXPECT_EQ(wire.com.ReceiveData(1000), QString(255, QLatin1Char('a')));
    EXPECT_EQ(wire.com.ReceiveData(1000), QString(45, QLatin1Char('b')));
}

TEST(SerialTransport, AVanishedDeviceFailsQuietlyWithoutHanging)
{
    SerialWire wire;
    wire.pty.closeMaster();
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(wire.com.ReceiveData(1000), QString());
    EXPECT_FALSE(wire.com.sendData(QStringLiteral("KXCL")));
    EXPECT_FALSE(wire.com.IsDataAvailable(100));
    EXPECT_EQ(wire.com.ReceiveData(100), QString());
    EXPECT_LT(timer.elapsed(), 2000);
}

} // namespace
} // namespace merovan
