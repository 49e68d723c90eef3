// The desktop bridge under a real X server (Xvfb): while the worker sits in
// a status wait on a register that keeps reporting an error, the main
// window still paints and its menu opens. Its own main() starts Xvfb on a
// free display before the application connects to it.
#include "control/bridge.h"
#include "control/main_window.h"
#include "control/widget_operator.h"
#include "core/clock.h"
#include "core/main_window_model.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/register_message_window.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>

namespace merovan {
namespace {

// A register in real time that answers every command, after 5 ms, with
// the status of an error waiting at its keyboard (1064, out of paper).
class PaperOutRegister final : public Transport {
public:
    qint16 open(const QString &) override { return 0; }
    bool send(const QString &) override
    {
        due_ = QDeadlineTimer(5);
        return true;
    }
    QString receive(int waitMs) override
    {
        if (!due_) {
            QThread::msleep(ulong(waitMs));
            return {};
        }
        QThread::msleep(ulong(std::min<qint64>(due_->remainingTime(), waitMs)));
        if (!due_->hasExpired())
            return {};
        due_.reset();
        return QStringLiteral("STAT:1064\r\x04");
    }
    bool waitForData(int) override { return due_ && due_->hasExpired(); }
    void close() override {}
    bool isOpen() const override { return true; }

private:
    std::optional<QDeadlineTimer> due_;
};

// Runs the window thread's events until done() or a hang guard of 10 s.
bool processEventsUntil(const std::function<bool()> &done)
{
    for (const QDeadlineTimer guard(10000); !done();) {
        if (guard.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(DesktopUnderX, PaintsAndOpensItsMenuDuringAStatusWait)
{
    QTemporaryDir dir;
    SystemClock clock;
    MainWindowModel model;
    WidgetOperator op(model);
    DebugLog log(clock, dir.filePath(QStringLiteral("merovanLog.txt")));
    Connection connection([](TransportKind) { return std::make_unique<PaperOutRegister>(); });
    connection.connectionText = QStringLiteral("127.0.0.2:5012");
    RegisterLink link(clock, op, log, connection);
    link.jobResultFile = dir.filePath(QStringLiteral("Result"));
    Bridge bridge(op, clock, log, link);
    MainWindow window(model, bridge, log);
    window.show();
    ASSERT_TRUE(processEventsUntil([&] { return window.isVisible(); }));

    QThread worker;
    bridge.moveToThread(&worker);
    worker.start();
    std::atomic<bool> waiting = true;
    QMetaObject::invokeMethod(&bridge, [&] {
        link.waitUntilErrorCleared(2, -1);
        waiting = false;
    });
    const auto messageWindowShown = [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<RegisterMessageWindow *>(widget) && widget->isVisible())
                return true;
        return false;
    };
    ASSERT_TRUE(processEventsUntil(messageWindowShown)) << "the wait shows its window";

    PaintCounter counter;
    window.installEventFilter(&counter);
    window.update();
    EXPECT_TRUE(processEventsUntil([&] { return counter.paints > 0; }));
    QMenu *menu = window.menuBar()->actions().constFirst()->menu();
    ASSERT_NE(menu, nullptr);
    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(processEventsUntil([&] { return menu->isVisible(); }));
    EXPECT_TRUE(waiting) << "all of it while the worker still waits on the register";
    menu->hide();

    bridge.requestStop();
    EXPECT_TRUE(processEventsUntil([&] { return !waiting; })) << "a stop request ends the wait";
    QMetaObject::invokeMethod(&bridge, [&] { bridge.moveToThread(QApplication::instance()->thread()); },
                              Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();
}

} // namespace
} // namespace merovan

// Xvfb picks a free display and writes its number to standard output.
int main(int argc, char **argv)
{
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                        QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp")});
    if (!xvfb.waitForStarted() || !xvfb.waitForReadyRead(10000)) {
        std::fputs("Xvfb did not start (is the xvfb package installed?)\n", stderr);
        return 1;
    }
    const QByteArray display = xvfb.readAllStandardOutput().trimmed();
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");

    int status = 1;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    return status;
}
