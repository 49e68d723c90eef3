// Prints what the host API adds, merovand against merovan-sim answering at
// once over UDP:
//  (a) a one-item job handed in by the folder and by POST /v1/jobs?wait=60,
//      taking turns, 20 of each: wall time over the job's prescribed pauses
//      (median, worst); the difference of the medians is what the API adds;
//  (b) the 30-item receipt by the folder, its time over its prescribed
//      pauses as a ratio (median of five): without the host API, with it
//      and nobody calling it, with the web
//      console's polling (the state each second, the log long-polled, the
//      history every ten seconds), and with two clients asking
//      GET /v1/status as fast as they can, whose requests per second are
//      printed too.
// Run: build/bin/api_bench (merovand and merovan-sim beside it).
#include "resident_bench.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <atomic>
#include <cctype>
#include <thread>

using namespace merovan;
using namespace merovan::bench;

namespace {

quint16 freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// One request on a connection of its own; the answer's body, empty when
// none came whole.
QByteArray httpCall(quint16 port, const QByteArray &method, const QByteArray &target, const QByteArray &body = {},
                    const QByteArray &key = {})
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    QByteArray request = method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    if (!key.isEmpty())
        request += "Idempotency-Key: " + key + "\r\n";
    request += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket.write(request);
    QByteArray answer;
    qsizetype wanted = -1;
    while (socket.waitForReadyRead(70000)) {
        answer += socket.readAll();
        const qsizetype headEnd = answer.indexOf("\r\n\r\n");
        if (headEnd >= 0 && wanted < 0) {
            const qsizetype at = answer.toLower().indexOf("content-length:");
            wanted = at >= 0 ? headEnd + 4 + answer.mid(at + 15, answer.indexOf("\r\n", at) - at - 15).trimmed().toLongLong()
                             : answer.size();
        }
        if (wanted >= 0 && answer.size() >= wanted)
            break;
    }
    return answer.mid(answer.indexOf("\r\n\r\n") + 4);
}

void oneItemJobs(ResidentBridge &bridge, const QString &trace, quint16 port)
{
    std::vector<qint64> byFolder, byApi;
    for (int i = 0; i < 20; ++i) {
        byFolder.push_back(bridge.run(1).overPauses);
        const qsizetype before = traceLines(trace);
        QElapsedTimer posted;
        posted.start();
        const QByteArray answer =
            httpCall(port, "POST", "/v1/jobs?wait=60", receiptJob(1), "bench-" + QByteArray::number(i));
        const qint64 elapsed = posted.elapsed();
        if (!answer.contains("\"done\""))
            std::printf("an API job did not end done: %s\n", answer.constData());
        byApi.push_back(elapsed - prescribedMs(traceLines(trace) - before));
    }
    const auto worst = [](const std::vector<qint64> &v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("(a) one-item job over its prescribed pauses: folder median %lld ms (worst %lld), "
                "API median %lld ms (worst %lld); the API adds %lld ms\n",
                static_cast<long long>(median(byFolder)), static_cast<long long>(worst(byFolder)),
                static_cast<long long>(median(byApi)), static_cast<long long>(worst(byApi)),
                static_cast<long long>(median(byApi) - median(byFolder)));
}

// The 30-item receipt's time over its prescribed pauses, as a ratio: the
// median of five runs.
double receiptRatio(ResidentBridge &bridge)
{
    std::vector<double> ratios;
    for (int run = 0; run < 5; ++run) {
        const ResidentBridge::Timing timing = bridge.run(30);
        ratios.push_back(double(timing.overPauses + timing.prescribed) / double(timing.prescribed));
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

// The seq of the last line in a log answer.
QByteArray lastSeq(const QByteArray &answer, const QByteArray &previous)
{
    const qsizetype at = answer.lastIndexOf("\"last\":");
    if (at < 0)
        return previous;
    const qsizetype start = at + 7;
    qsizetype end = start;
    while (end < answer.size() && std::isdigit(static_cast<unsigned char>(answer[end])))
        ++end;
    return end > start ? answer.mid(start, end - start) : previous;
}

void receiptBesideCallers(ResidentBridge &bridge, quint16 port, double withoutApi)
{
    const double alone = receiptRatio(bridge);

    std::atomic<bool> stop = false;
    std::vector<std::thread> page;
    page.emplace_back([&] {
        while (!stop) {
            httpCall(port, "GET", "/v1/status");
            QThread::msleep(1000);
        }
    });
    page.emplace_back([&] {
        for (int i = 0; !stop; ++i) {
            if (i % 10 == 0)
                httpCall(port, "GET", "/v1/jobs?limit=50");
            QThread::msleep(1000);
        }
    });
    page.emplace_back([&] {
        // As the page does: from the last line it has, waiting for more.
        QByteArray after = "0";
        while (!stop)
            after = lastSeq(httpCall(port, "GET", "/v1/log?after=" + after + "&wait=2"), after);
    });
    const double withPage = receiptRatio(bridge);
    stop = true;
    for (std::thread &t : page)
        t.join();

    stop = false;
    std::atomic<qint64> answered = 0;
    std::vector<std::thread> clients;
    for (int c = 0; c < 2; ++c)
        clients.emplace_back([&] {
            while (!stop)
                if (!httpCall(port, "GET", "/v1/status").isEmpty())
                    ++answered;
        });
    QElapsedTimer busy;
    busy.start();
    const double withClients = receiptRatio(bridge);
    const qint64 busyMs = busy.elapsed();
    stop = true;
    for (std::thread &t : clients)
        t.join();
    std::printf("(b) 30-item receipt, ratio to its prescribed pauses: without the host API %.4f; with it, nobody "
                "calling %.4f (%+.2f %%); with the console's polling %.4f (%+.2f %%); with two clients asking the "
                "status %.4f (%+.2f %%) at %.0f requests/s\n",
                withoutApi, alone, 100.0 * (alone / withoutApi - 1), withPage, 100.0 * (withPage / alone - 1), withClients, 100.0 * (withClients / alone - 1),
                1000.0 * double(answered) / double(busyMs));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    double withoutApi = 0;
    {
        QTemporaryDir work;
        ResidentBridge bridge(udpLink(), QDir(work.path()));
        withoutApi = receiptRatio(bridge);
    }
    QTemporaryDir work;
    const QDir dir(work.path());
    const QString trace = dir.filePath(QStringLiteral("trace-r.txt"));
    const quint16 port = freeTcpPort();
    ResidentBridge bridge(udpLink(), dir, {QStringLiteral("--http"), QStringLiteral("127.0.0.1:%1").arg(port)});
    oneItemJobs(bridge, trace, port);
    receiptBesideCallers(bridge, port, withoutApi);
    return 0;
}
