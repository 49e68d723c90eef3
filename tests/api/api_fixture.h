#pragma once

#include "api/host_api_server.h"
#include "fake_backend.h"
#include "http_test_client.h"
#include "qt_printers.h"
#include "text_bytes_printer.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace merovan::test {

inline const QByteArray kToken = "0123456789abcdef";
inline const QString kOrigin = QStringLiteral("http://shop.local:3000");

// Runs the event loop until the condition holds, looking every few
// milliseconds; for what no signal tells.
inline void runUntil(const std::function<bool()> &condition)
{
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    look.start(5);
    QTimer::singleShot(std::chrono::seconds(30), &loop, &QEventLoop::quit); // only against a hang
    if (!condition())
        loop.exec();
}

// The host API on a free loopback port over a fake backend that holds job 7
// (done), job 8 (running) and three log lines.
class ApiFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        backend.addJob(7, JobState::Done);
        backend.addJob(8, JobState::Running);
        for (const char *text : {"one", "two", "three"})
            backend.addLogLine(QString::fromLatin1(text));
        server = std::make_unique<HostApiServer>(backend, ApiAccessRules{.token = kToken, .origins = {kOrigin}});
        ASSERT_EQ(server->listen(QHostAddress(QHostAddress::LocalHost), 0), std::nullopt);
    }

    HttpReply send(const QByteArray &method, const QByteArray &target, const HttpHeaders &headers = {},
                   const QByteArray &body = {})
    {
        return exchange(server->port(), requestBytes(method, target, headers, body));
    }

    // Makes the backend's next move once the request has asked it something.
    void whenAsked(std::function<void()> move)
    {
        backend.onAsked = [move] { QTimer::singleShot(0, move); };
    }

    FakeBackend backend;
    std::unique_ptr<HostApiServer> server;
};

} // namespace merovan::test
