#pragma once

// merovand against merovan-sim, both run as programs: the simulator on real
// UDP on loopback or on a pseudo-terminal it creates, the bridge on a
// param.ini that points at it.
#include "processes.h"
#include "register_end.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace merovan::test {

const QString kSearching = QStringLiteral("caption: Merovan- Αναζήτηση");
const QString kSearchingStatus = QStringLiteral("status: Εύρεση Φορολογικής Ταμειακής !!! ");
const QString kReadyStatus = QStringLiteral("status: Φορολογικός Εκτυπωτής ON-Line, Έτοιμος Για Εκτυπωσεις");
const QString kReady = QStringLiteral("caption: Merovan- Έτοιμο");
const QString kOffline = QStringLiteral("caption: Merovan- Λάθος!");
const QString kOfflineStatus = QStringLiteral("status: Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !");
const QString kNoAnswer = QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !");

enum class Link { Udp, Pty };

class BridgeAgainstSimulator : public ::testing::Test {
protected:
    // Starts the simulator on the given link with extra switches and writes
    // a param.ini that points the bridge at it.
    void startSimulator(Link link, QStringList switches = {})
    {
        QString port;
        QString baud;
        if (link == Link::Udp) {
            const quint16 udpPort = RegisterEnd(RegisterEnd::Udp).port(); // free once the probe goes
            switches << QStringLiteral("--udp") << QStringLiteral("127.0.0.2:%1").arg(udpPort);
            port = QStringLiteral("127.0.0.2");
            baud = QString::number(udpPort);
        } else {
            switches << QStringLiteral("--pty") << path(QStringLiteral("ttySIM"));
            bridgeEnvironment << QStringLiteral("MEROVAN_COM1=") + path(QStringLiteral("ttySIM"));
            port = QStringLiteral("com1");
            baud = QStringLiteral("9600");
        }
        switches << QStringLiteral("--trace") << path(QStringLiteral("trace.txt"));
        simulator = std::make_unique<Program>(QStringLiteral(MEROVAN_SIM), switches, dir.path());
        ASSERT_TRUE(simulator->waitForOutput(QStringLiteral("ready on"), 10000)) << simulator->errors().toStdString();

        QFile param(path(QStringLiteral("param.ini")));
        ASSERT_TRUE(param.open(QIODevice::WriteOnly));
        param.write(QStringLiteral("[port] %1\r\n[baud] %2\r\n[file] print\r\n[multi type] true\r\n")
                        .arg(port, baud)
                        .toLatin1());
    }

    // Makes folder (the test's own by default) the working folder of a
    // bridge that starts printing by itself, with the test VAT rates; its
    // jobs lie in jobFolder (the working folder when empty).
    void preparePrintingFolder(const QString &folder = {}, const QString &jobFolder = {})
    {
        const QString where = folder.isEmpty() ? dir.path() : folder;
        if (where != dir.path())
            QFile::copy(path(QStringLiteral("param.ini")), where + QStringLiteral("/param.ini"));
        QFile param(where + QStringLiteral("/param.ini"));
        ASSERT_TRUE(param.open(QIODevice::Append));
        param.write("[AutoStar]=yes\r\n[ecrt] mikro\r\n[time] 0\r\n[print_desc] true\r\n[comments] true\r\n"
                    "[currency]=0\r\n");
        if (!jobFolder.isEmpty())
            param.write("[location] " + jobFolder.toUtf8() + "/\r\n");
        param.close();
        QFile::copy(QStringLiteral(GOLDEN_DIR "/vats.dat"), where + QStringLiteral("/vats.dat"));
    }

    // Hands a job over as a host does: written whole, then renamed print.1.
    void dropJob(const QByteArray &bytes, const QString &name = QStringLiteral("print.1"))
    {
        QFile job(path(QStringLiteral("print.tmp")));
        ASSERT_TRUE(job.open(QIODevice::WriteOnly));
        job.write(bytes);
        job.close();
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("print.tmp")), path(name)));
    }

    std::unique_ptr<Program> startBridge(const QStringList &arguments = {})
    {
        return std::make_unique<Program>(QStringLiteral(MEROVAND), arguments, dir.path(), bridgeEnvironment);
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QStringList bridgeEnvironment;
    std::unique_ptr<Program> simulator;
};

} // namespace merovan::test
