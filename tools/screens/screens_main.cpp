// merovan-screens OUTDIR: renders every window of the desktop bridge to a
// PNG file in OUTDIR, offscreen, with a drawn title bar that shows the
// window's caption. Run it with QT_SCALE_FACTOR=1.5 for the 150 % look.
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

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

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
    painter.fillRect(QRect(0, 0, size.width(), bar), QColor(0x2b, 0x57, 0x9a));
    painter.setPen(Qt::white);
    painter.setFont(window->font());
    painter.drawText(QRect(8, 0, size.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
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

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fputs("usage: merovan-screens OUTDIR\n", stderr);
        return 2;
    }
    const QDir out(QDir::current().absoluteFilePath(app.arguments().at(1)));
    QTemporaryDir work;
    if (!out.mkpath(QStringLiteral(".")) || !work.isValid() || !QDir::setCurrent(work.path())) {
        std::fputs("merovan-screens: cannot prepare the folders\n", stderr);
        return 1;
    }
    useGreekFont();
    QApplication::setWindowIcon(programIcon());
    writeSampleFiles();

    SystemClock clock;
    MainWindowModel model;
    WidgetOperator op(model);
    DebugLog log(clock, work.filePath(QStringLiteral("merovanLog.txt")));
    Connection connection;
    RegisterLink link(clock, op, log, connection);
    Bridge bridge(op, clock, log, link);
    Desktop desktop(op, bridge, log);
    if (bridge.start({})) {
        std::fputs("merovan-screens: the bridge did not start\n", stderr);
        return 1;
    }
    bridge.holdSearch(); // no register is asked

    bridge.trigger(QStringLiteral("wndDebug"));
    log.addLine(log.sendLine(QStringLiteral("KXCL")));
    log.addLine(log.replyLine(QStringLiteral("00 OK")));
    log.addLine(log.endLine());

    const auto waiting = std::make_shared<RegisterMessage>(clock);
    waiting->setCountsSeconds(false);
    op.showRegisterMessage(waiting);
    waiting->setMessage(QStringLiteral("Αναμονή [07]"));
    waiting->setDetail(QStringLiteral("Εκτύπωση τερματικού EFTPOS"));

    bridge.trigger(QStringLiteral("param"));
    bridge.trigger(QStringLiteral("about"));

    // A payment-types window of its own, to show a found record.
    PaymentTypesForm payments(op);
    PaymentTypesWindow paymentsWindow(payments);
    paymentsWindow.show();
    payments.reload();
    payments.setTypeNumber(QStringLiteral("02"));
    payments.find();

    QCoreApplication::sendPostedEvents();
    const std::pair<const char *, QWidget *> windows[] = {
        {"main", &desktop.mainWindow()},
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
