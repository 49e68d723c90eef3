#pragma once

#include "control/bridge.h"
#include "link_fixture.h"

#include <QDir>

namespace merovan::test {

inline const char *kParamIni = "[port] 127.0.0.2\r\n"
                               "[baud] 5012\r\n"
                               "[file] print\r\n"
                               "[print_desc] true\r\n"
                               "[comments] false\r\n"
                               "[currency]=2\r\n"
                               "[location] /srv/jobs/\r\n";

// A bridge on a scripted register, started in a temporary working folder.
class BridgeTest : public LinkTest {
protected:
    BridgeTest()
    {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir.path());
        registerScript = [this](const QString &command, FakeTransport &reg) {
            commands << command;
            if (silentRegister)
                return;
            reg.arrive(5, reply(command == QStringLiteral("KXVER") ? QStringLiteral("SIM 1.0")
                                                                   : QStringLiteral("00 OK")));
        };
    }
    ~BridgeTest() override { QDir::setCurrent(previous_); }

    void writeParam(const QByteArray &text)
    {
        QFile file(QStringLiteral("param.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    MainWindowModel &window() { return op.model; }

    Bridge bridge{op, clock, log, link};
    QStringList commands;
    bool silentRegister = false;
    QString previous_;
};


} // namespace merovan::test
