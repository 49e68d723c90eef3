#pragma once

#include "control/bridge.h"
#include "link_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <optional>

namespace merovan::test {

inline const char *kParamIni = "[port] 127.0.0.2\r\n[baud] 5012\r\n[file] print\r\n[print_desc] true\r\n"
                               "[comments] false\r\n[currency]=2\r\n[location] /srv/jobs/\r\n";

// Writes a job file as a host that finished it a while ago: its
// modification time lies a second back, so it counts as settled.
inline bool writeSettledJob(const QString &path, const QByteArray &bytes)
{
    QFile job(path);
    if (!job.open(QIODevice::WriteOnly) || job.write(bytes) != bytes.size() || !job.flush())
        return false;
    return job.setFileTime(QDateTime::currentDateTime().addSecs(-1), QFileDevice::FileModificationTime);
}

// A job of one pass-through command, its block in "Result".
inline QByteArray passThroughJob(const char *tag, const char *command)
{
    return QByteArray("tag:  ") + tag + "\r\nresFile:  Result\r\n snd  " + command + "\r\n";
}

// A bridge on a scripted register, started in a temporary working folder.
class BridgeTest : public LinkTest {
protected:
    BridgeTest()
    {
        QDir::setCurrent(dir.path());
        registerScript = [this](const QString &command, FakeTransport &reg) {
            commands << command;
            if (!silentRegister)
                reg.arrive(5, reply(QLatin1String(command == QStringLiteral("KXVER") ? "SIM 1.0" : "00 OK")));
        };
        QObject::connect(&bridge, &Bridge::programEnded, [this](int status) { ended = status; });
    }
    ~BridgeTest() override { QDir::setCurrent(previous_); }

    // Starts on these settings and lets the search tick that many times.
    void startWith(const QByteArray &ini, int searchTicks)
    {
        QFile param(QStringLiteral("param.ini"));
        ASSERT_TRUE(param.open(QIODevice::WriteOnly) && param.write(ini) == ini.size());
        param.close();
        bridge.start({});
        for (int i = 0; i < searchTicks; ++i)
            bridge.searchTick();
    }

    MainWindowModel &window() { return op.model; }

    Bridge bridge{op, clock, log, link};
    QStringList commands;
    bool silentRegister = false;
    std::optional<int> ended;
    QString previous_ = QDir::currentPath();
};

} // namespace merovan::test
