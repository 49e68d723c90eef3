#include "raw_line.h"

#include "posix_error.h"

#include <termios.h>

#include <utility>

namespace merovan::sim {

namespace {

bool speedOf(int baud, speed_t &speed)
{
    static constexpr std::pair<int, speed_t> kSpeeds[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},
        {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
    };
    for (const auto &[rate, value] : kSpeeds) {
        if (rate == baud) {
            speed = value;
            return true;
        }
    }
    return false;
}

} // namespace

bool makeRaw(int fd, int baud, QString &error)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        error = posixError("tcgetattr");
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | CRTSCTS);
    if (baud > 0) {
        speed_t speed;
        if (!speedOf(baud, speed)) {
            error = QStringLiteral("unsupported baud rate %1").arg(baud);
            return false;
        }
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
    }
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = posixError("tcsetattr");
        return false;
    }
    return true;
}

} // namespace merovan::sim
