#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

#include <signal.h>

namespace merovan::test {

// A program of ours run for real, with its output collected; it is ended
// when the object goes.
class Program {
public:
    Program(const QString &path, const QStringList &arguments, const QString &folder,
            const QStringList &environment = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &pair : environment)
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(folder);
        process_.start(path, arguments);
        process_.waitForStarted();
    }
    ~Program()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(3000);
    }

    // Waits until standard output holds text (false after timeoutMs: a hang
    // guard, not a timing assertion).
    bool waitForOutput(const QString &text, int timeoutMs)
    {
        for (const QDeadlineTimer deadline(timeoutMs); !output().contains(text);) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
                return false;
            process_.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 200)));
        }
        return true;
    }
    // Sends a signal (SIGTERM, SIGINT, SIGKILL, ...).
    void signal(int number) { ::kill(pid_t(process_.processId()), number); }

    // Waits for the program to end by itself; its exit status or -1.
    int waitForExit(int timeoutMs = 10000)
    {
        const bool ended = process_.waitForFinished(timeoutMs);
        output();
        return ended && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    QStringList outputLines()
    {
        QStringList lines = output().split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QString errors()
    {
        output();
        return QString::fromUtf8(err_);
    }

private:
    // Standard output so far; standard error gathers beside it.
    QString output()
    {
        out_ += process_.readAllStandardOutput();
        err_ += process_.readAllStandardError();
        return QString::fromUtf8(out_);
    }
    QProcess process_;
    QByteArray out_, err_;
};

// Result-file time stamps written "<time>", so runs compare line by line.
inline QString maskTimes(QString text)
{
    static const QRegularExpression stamp(QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d"));
    return text.replace(stamp, QStringLiteral("<time>"));
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace merovan::test
