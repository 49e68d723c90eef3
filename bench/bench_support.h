#pragma once

// What the benchmarks share: a clock that counts the pauses, an operator
// nobody watches, and the programs beside them.
#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/operator.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QUdpSocket>

#include <optional>

namespace merovan::bench {

// Real time; the pauses are real and summed, so that the bridge's own time
// is what remains.
class BenchClock final : public Clock {
public:
    QDateTime now() const override { return system_.now(); }
    qint64 monotonicMs() const override { return system_.monotonicMs(); }
    void pause(int ms) override
    {
        paused += ms;
        system_.pause(ms);
    }
    QChar decimalSeparator() const override { return QLatin1Char(','); }
    qint64 paused = 0;

private:
    SystemClock system_;
};

class QuietOperator final : public Operator {
public:
    QuietOperator() : Operator(model_) {}
    int messageBox(const QString &, int, const QString &) override { return 1; }
    std::optional<QString> inputBox(const QString &) override { return std::nullopt; }
    void displayRegisterMessage(const RegisterMessagePtr &) override {}
    void fatal(const QString &) override {}
    void commandLineRefused(const QStringList &, const QString &) override {}
    void startDetached(const QString &, const QStringList &) override {}

private:
    MainWindowModel model_;
};

// A program beside the benchmark (build/bin), ended with it.
struct Program {
    QProcess process;
    Program(const QString &name, const QStringList &arguments, const QString &folder = {},
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
            const QString &errorFile = {})
    {
        process.setProcessEnvironment(environment);
        if (!errorFile.isEmpty())
            process.setStandardErrorFile(errorFile, QIODevice::Append);
        process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(name));
        process.setArguments(arguments);
        if (!folder.isEmpty())
            process.setWorkingDirectory(folder);
        process.start();
        process.waitForStarted(5000);
    }
    ~Program()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

inline quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    return probe.localPort();
}

} // namespace merovan::bench
