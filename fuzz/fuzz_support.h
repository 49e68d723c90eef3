#pragma once

// What every fuzz target needs: a Qt application for the object machinery,
// a scratch folder that is the working folder, and a register on the fake
// clock that answers every command with the same reply.
#include "fake_clock.h"
#include "fake_transport.h"
#include "greek/cp1253.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace merovan::fuzz {

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Made once per process: the application and the working folder.
inline QTemporaryDir &scratch()
{
    static int argc = 1;
    static char name[] = "merovan-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const bool entered = QDir::setCurrent(dir.path());
    Q_UNUSED(entered);
    return dir;
}

inline QString writeScratch(const QString &name, const QByteArray &bytes)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}

// Empties the scratch folder between inputs, so nothing piles up.
inline void clearScratch()
{
    QDir folder(scratch().path());
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(name);
}

// A register that answers every command with reply, at once.
inline std::unique_ptr<test::FakeTransport> answeringWith(test::FakeClock &clock, const QString &reply)
{
    auto transport = std::make_unique<test::FakeTransport>(clock);
    transport->onSend = [t = transport.get(), reply](const QString &) { t->arrive(1, reply); };
    return transport;
}

} // namespace merovan::fuzz
