#pragma once

#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "fake_clock.h"
#include "fake_transport.h"
#include "greek/cp1253.h"
#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace merovan::test {

// A RegisterLink on a scripted register, a fake clock and a recording
// operator; the result file lives in a temporary folder.
class LinkTest : public ::testing::Test {
protected:
    LinkTest()
    {
        connection.connectionText = QStringLiteral("127.0.0.2:5012");
        link.jobResultFile = dir.filePath(QStringLiteral("Result"));
    }

    // The register's behaviour: called with every command sent.
    std::function<void(const QString &command, FakeTransport &reg)> registerScript =
        [](const QString &, FakeTransport &reg) { reg.arrive(5, reply(QStringLiteral("00 OK"))); };

    QStringList resultLines() const
    {
        QFile file(link.jobResultFile);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = fromCp1253(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

    QTemporaryDir dir;
    FakeClock clock;
    RecordingOperator op;
    DebugLog log{clock, dir.filePath(QStringLiteral("merovanLog.txt"))};
    FakeTransport *fake = nullptr;
    std::vector<TransportKind> kinds;
    qint16 openCode = 0;
    Connection connection{[this](TransportKind kind) {
        auto transport = std::make_unique<FakeTransport>(clock);
        fake = transport.get();
        fake->openCode = openCode;
        fake->onSend = [this](const QString &command) { registerScript(command, *fake); };
        kinds.push_back(kind);
        return transport;
    }};
    RegisterLink link{clock, op, log, connection};
};

} // namespace merovan::test
