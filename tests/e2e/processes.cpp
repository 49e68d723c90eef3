#include "processes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QUdpSocket>

namespace merovan::test {

Program::Program(const QString &path, const QStringList &arguments, const QString &folder,
                 const QStringList &environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &pair : environment)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(folder);
    process_.start(path, arguments);
    process_.waitForStarted();
}

Program::~Program()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(3000);
    }
}

void Program::collect()
{
    out_ += process_.readAllStandardOutput();
    err_ += process_.readAllStandardError();
}

bool Program::waitForOutput(const QString &text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        collect();
        if (QString::fromUtf8(out_).contains(text))
            return true;
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        process_.waitForReadyRead(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 200)));
    }
}

int Program::waitForExit(int timeoutMs)
{
    const bool ended = process_.waitForFinished(timeoutMs);
    collect();
    return ended && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QStringList Program::outputLines()
{
    collect();
    QStringList lines = QString::fromUtf8(out_).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Program::errors()
{
    collect();
    return QString::fromUtf8(err_);
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    return probe.localPort();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace merovan::test
