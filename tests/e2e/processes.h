#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace merovan::test {

// A program of ours run for real, with its output collected; it is ended
// when the object goes.
class Program {
public:
    Program(const QString &path, const QStringList &arguments, const QString &folder,
            const QStringList &environment = {});
    ~Program();

    // Waits until standard output holds text (false after timeoutMs: a hang
    // guard, not a timing assertion).
    bool waitForOutput(const QString &text, int timeoutMs);
    // Waits for the program to end by itself; its exit status or -1.
    int waitForExit(int timeoutMs = 10000);

    QStringList outputLines();
    QString errors();

private:
    void collect();
    QProcess process_;
    QByteArray out_;
    QByteArray err_;
};

// A UDP port that nothing on this machine uses right now.
quint16 freeUdpPort();

QByteArray readFile(const QString &path);

} // namespace merovan::test
