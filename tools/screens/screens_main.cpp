// merovan-screens OUTDIR: renders every window of the desktop bridge to a
// PNG file in OUTDIR, offscreen, with a drawn title bar that shows the
// window's caption. Run it with QT_SCALE_FACTOR=1.5 for the 150 % look.
//
// merovan-screens --screen WIDTHxHEIGHT OUTDIR: a screen of that size, on
// which the bridge opens its settings window and then its debug window the
// way the operator's menu does; each is drawn with the main window on the
// whole screen (settings-WxH.png, debug-WxH.png). Ends with status 1 when a
// window does not lie whole on the screen.
//
// The windows show sample settings from a temporary folder; no register
// is asked.
#include "control/bridge.h"
#include "control/desktop.h"
#include "control/desktop_look.h"
#include "control/main_window.h"
#include "control/widget_operator.h"
#include "core/clock.h"
#include "core/main_window_model.h"
#include "core/register_message.h"
#include "device/connection.h"
#include "device/register_link.h"
#include "diagnostics/debug_log.h"
#include "payments/payment_types_form.h"
#include "payments/payment_types_window.h"
#include "settings/param_file.h"
#include "settings/vat_table.h"
#include "widgets/on_screen.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

using namespace merovan;

namespace {

// The settings an operator of a network register would have.
void writeSampleFiles()
{
    ParamFileValues values;
    values.port = QStringLiteral("192.168.1.20");
    values.baud = QStringLiteral("5012");
    values.file = QStringLiteral("print.1");
    values.model = QStringLiteral("MikroPos");
    values.printDescription = values.comments = values.itemCodeAsText = true;
    values.currency = 0;
    values.location = QStringLiteral("C:\\Ταμείο\\Εργασίες\\");
    writeParamFile(QStringLiteral("param.ini"), values, QDate::currentDate());
    saveVatRates(QStringLiteral("vats.dat"), {24, 13, 6, 17, 0});
    writePaymentType({2, 2, 1, -1, 2, 1, 10});
}

const QColor kTitleBar(0x2b, 0x57, 0x9a);

// A title bar with the window's caption across the top of a frame.
void drawTitleBar(QPainter &painter, const QRect &bar, const QWidget *window)
{
    painter.fillRect(bar, kTitleBar);
    painter.setPen(Qt::white);
    painter.setFont(window->font());
    painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
}

// The window's content under a plain title bar with its caption, as the
// offscreen platform draws no frames.
QImage framed(QWidget *window)
{
    const QPixmap content = window->grab();
    const qreal ratio = content.devicePixelRatio();
    const int bar = window->fontMetrics().height() + 12;
    const QSize size = content.deviceIndependentSize().toSize();
    QImage image(QSize(size.width(), size.height() + bar) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    drawTitleBar(painter, QRect(0, 0, size.width(), bar), window);
    painter.drawPixmap(0, bar, content);
    return image;
}

QWidget *shownWindow(const char *className, const QString &objectName = {})
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->inherits(className) && (objectName.isEmpty() || w->objectName() == objectName))
            return w;
    }
    return nullptr;
}

// The bridge with its windows, on sample settings, without a register.
struct SampleDesktop {
    SystemClock clock;
    MainWindowModel model;
    WidgetOperator op{model};
    DebugLog log;
    Connection connection;
    RegisterLink link{clock, op, log, connection};
    Bridge bridge{op, clock, log, link};
    Desktop desktop{op, bridge, log};

    explicit SampleDesktop(const QString &logPath) : log(clock, logPath) {}

    bool start()
    {
        if (bridge.start({}))
            return false;
        bridge.holdSearch(); // no register is asked
        return true;
    }
};

int renderWindows(const QDir &out, const QString &work)
{
    SampleDesktop sample(QDir(work).filePath(QStringLiteral("merovanLog.txt")));
    if (!sample.start()) {
        std::fputs("merovan-screens: the bridge did not start\n", stderr);
        return 1;
    }
    sample.bridge.trigger(WindowControl::DebugWindow);
    DebugLog &log = sample.log;
    log.addLine(log.sendLine(QStringLiteral("KXCL")));
    log.addLine(log.replyLine(QStringLiteral("00 OK")));
    log.addLine(log.endLine());

    const auto waiting = std::make_shared<RegisterMessage>(sample.clock);
    waiting->setCountsSeconds(false);
    sample.op.showRegisterMessage(waiting);
    waiting->setMessage(QStringLiteral("Αναμονή [07]"));
    waiting->setDetail(QStringLiteral("Εκτύπωση τερματικού EFTPOS"));

    sample.bridge.trigger(WindowControl::Settings);
    sample.bridge.trigger(WindowControl::About);

    // A payment-types window of its own, to show a found record.
    PaymentTypesForm payments(sample.op);
    PaymentTypesWindow paymentsWindow(payments);
    paymentsWindow.show();
    payments.reload();
    payments.setTypeNumber(QStringLiteral("02"));
    payments.find();

    QCoreApplication::sendPostedEvents();
    const std::pair<const char *, QWidget *> windows[] = {
        {"main", &sample.desktop.mainWindow()},
        {"debug", shownWindow("merovan::DebugWindow")},
        {"register_message", shownWindow("merovan::RegisterMessageWindow")},
        {"settings", shownWindow("merovan::SettingsWindow")},
        {"payment_types", &paymentsWindow},
        {"about", shownWindow("merovan::AboutWindow")},
    };
    int status = 0;
    for (const auto &[name, window] : windows) {
        const QString path = out.filePath(QStringLiteral("%1.png").arg(QLatin1String(name)));
        if (!window || !framed(window).save(path)) {
            std::fprintf(stderr, "merovan-screens: %s not rendered\n", name);
            status = 1;
            continue;
        }
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    }
    waiting->close();
    return status;
}

// A shown window as a window manager would frame it: the frame where the
// window was placed, with a title bar and borders around the content.
QRect frameOnScreen(const QWidget *window)
{
    return QRect(window->frameGeometry().topLeft(), window->size().grownBy(expectedFrameMargins(window)));
}

// The whole screen with these windows on it, each in its frame, the last on
// top.
QImage screenWith(const QRect &screen, const std::vector<QWidget *> &windows)
{
    QImage image(screen.size(), QImage::Format_ARGB32);
    image.fill(QColor(0x3a, 0x6e, 0x6e));
    QPainter painter(&image);
    painter.translate(-screen.topLeft());
    for (QWidget *window : windows) {
        const QRect frame = frameOnScreen(window);
        const QMargins margins = expectedFrameMargins(window);
        painter.fillRect(frame, kTitleBar);
        drawTitleBar(painter, QRect(frame.left(), frame.top(), frame.width(), margins.top()), window);
        painter.drawPixmap(frame.topLeft() + QPoint(margins.left(), margins.top()), window->grab());
    }
    return image;
}

int renderDesktop(const QDir &out, const QString &work, const QSize &size)
{
    SampleDesktop sample(QDir(work).filePath(QStringLiteral("merovanLog.txt")));
    if (!sample.start()) {
        std::fputs("merovan-screens: the bridge did not start\n", stderr);
        return 1;
    }
    QWidget *main = &sample.desktop.mainWindow();
    const QRect screen = main->screen()->availableGeometry();
    const QString suffix = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    int status = 0;
    const auto shoot = [&](const char *name, const char *className, WindowControl item) {
        sample.bridge.trigger(item);
        QCoreApplication::sendPostedEvents();
        QWidget *window = shownWindow(className);
        const QString path = out.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(name), suffix));
        if (!window || !screenWith(screen, {main, window}).save(path)) {
            std::fprintf(stderr, "merovan-screens: %s not rendered\n", name);
            status = 1;
            return;
        }
        const QRect frame = frameOnScreen(window);
        const bool whole = screen.contains(frame);
        std::printf("%s: %s %dx%d at %d,%d on %s\n", qPrintable(QDir::toNativeSeparators(path)),
                    whole ? "whole" : "NOT WHOLE", frame.width(), frame.height(), frame.x(), frame.y(),
                    qPrintable(suffix));
        status = whole ? status : 1;
        window->close();
        QCoreApplication::sendPostedEvents();
    };
    shoot("settings", "merovan::SettingsWindow", WindowControl::Settings);
    shoot("debug", "merovan::DebugWindow", WindowControl::DebugWindow);
    return status;
}

// The offscreen platform with one screen of this size.
bool useScreenOfSize(const QSize &size, const QString &configPath)
{
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,)"
                                R"( "logicalDpi": 96, "dpr": 1}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(configPath));
    return true;
}

std::optional<QSize> screenSize(const QString &text)
{
    const auto match = QRegularExpression(QStringLiteral("^([0-9]+)x([0-9]+)$")).match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir work;
    std::optional<QSize> screen;
    if (argc == 4 && QByteArray(argv[1]) == "--screen") {
        screen = screenSize(QString::fromLocal8Bit(argv[2]));
        if (!screen || !useScreenOfSize(*screen, work.filePath(QStringLiteral("screen.json")))) {
            std::fputs("merovan-screens: --screen WIDTHxHEIGHT\n", stderr);
            return 2;
        }
    } else if (argc != 2) {
        std::fputs("usage: merovan-screens [--screen WIDTHxHEIGHT] OUTDIR\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QDir::current().absoluteFilePath(app.arguments().constLast()));
    if (!out.mkpath(QStringLiteral(".")) || !work.isValid() || !QDir::setCurrent(work.path())) {
        std::fputs("merovan-screens: cannot prepare the folders\n", stderr);
        return 1;
    }
    useGreekFont();
    QApplication::setWindowIcon(programIcon());
    writeSampleFiles();
    return screen ? renderDesktop(out, work.path(), *screen) : renderWindows(out, work.path());
}
