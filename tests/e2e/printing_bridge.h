#pragma once

// A resident merovand printing against merovan-sim: the 30-item receipt,
// jobs handed over as a host does, and what the register received.
#include "bridge_against_simulator.h"

#include <QThread>

namespace merovan::test {

constexpr int kItems = 30;

// 30 items of one euro each, then cash: 32 lines with the tag.
inline QByteArray thirtyItemReceipt()
{
    QByteArray job = "tag:  THIRTY\r\n";
    for (int i = 1; i <= kItems; ++i)
        job += " PLU               IT" + QByteArray::number(i).rightJustified(3, '0') +
               "                             1       1.00      24\r\n";
    return job + " to    1      30.00\r\n";
}

// A resident merovand that prints job files dropped into its working
// folder, against merovan-sim, and what came of them: the simulator's
// trace and the result file.
class PrintingBridge : public BridgeAgainstSimulator {
protected:
    // A resident bridge that starts printing by itself, against a register
    // that takes a moment for each command.
    std::unique_ptr<Program> startPrintingBridge(Link link, const QString &folder = {},
                                                 const QStringList &arguments = {})
    {
        if (!simulator)
            startSimulator(link, {QStringLiteral("--latency"), QStringLiteral("40")});
        const QString where = folder.isEmpty() ? dir.path() : folder;
        preparePrintingFolder(where);
        if (!asNobody)
            return std::make_unique<Program>(QStringLiteral(MEROVAND), arguments, where, bridgeEnvironment);
        // setpriv becomes the bridge itself, so signals reach it directly.
        return std::make_unique<Program>(QStringLiteral("setpriv"),
                                         QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                     QStringLiteral("--clear-groups"), QStringLiteral(MEROVAND)} +
                                             arguments,
                                         where, bridgeEnvironment);
    }
    // The bridge runs as nobody instead of this test's own user.
    bool asNobody = false;
    // A resident bridge that has sent the fifth item of the 30-item receipt.
    std::unique_ptr<Program> bridgeInTheMiddleOfAReceipt(Link link)
    {
        auto bridge = startPrintingBridge(link);
        EXPECT_TRUE(bridge->waitForOutput(QStringLiteral("caption: Merovan- Αναμονή"), 20000))
            << bridge->errors().toStdString();
        dropJob(thirtyItemReceipt());
        EXPECT_TRUE(waitForItem(5));
        return bridge;
    }
    QStringList trace() const
    {
        return QString::fromLatin1(readFile(path(QStringLiteral("trace.txt")))).split(u'\n', Qt::SkipEmptyParts);
    }
    // Waits until the register has received a command holding text.
    bool waitForCommand(const QString &text)
    {
        for (int i = 0; i < 300; ++i) {
            if (!trace().filter(text).isEmpty())
                return true;
            QThread::msleep(50);
        }
        return false;
    }
    // Waits until the register has received the item with this number.
    bool waitForItem(int item) { return waitForCommand(QStringLiteral("IT%1").arg(item, 3, 10, QLatin1Char('0'))); }
    // How often each item reached the register; none may come twice.
    int itemsSent() const
    {
        int sent = 0;
        for (int i = 1; i <= kItems; ++i) {
            const auto times = trace().filter(QStringLiteral("IT%1").arg(i, 3, 10, QLatin1Char('0'))).size();
            EXPECT_LE(times, 1) << "item " << i << " sent twice";
            sent += times ? 1 : 0;
        }
        return sent;
    }
    QStringList result() const
    {
        return QString::fromLatin1(readFile(path(QStringLiteral("Result")))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

} // namespace merovan::test
