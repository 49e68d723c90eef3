#include "core/main_window_model.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <optional>
#include <thread>

namespace merovan {

void PrintTo(WindowControl control, std::ostream *os) { *os << objectName(control).toStdString(); }

namespace {

// The worker sets the model while the widgets live on the window thread:
// each change must arrive there as a queued call naming its control, and a
// value set again unchanged must not arrive at all.
TEST(MainWindowModel, ChangesFromTheWorkerReachTheWindowThreadWithTheirControl)
{
    MainWindowModel model;
    QObject window;
    QList<std::pair<WindowControl, QString>> labels;
    QList<std::pair<WindowControl, bool>> enables;
    std::optional<WindowControl> defaultButton;
    QObject::connect(&model, &MainWindowModel::labelChanged, &window,
                     [&](WindowControl control, const QString &text) { labels.append({control, text}); });
    QObject::connect(&model, &MainWindowModel::enabledChanged, &window,
                     [&](WindowControl control, bool on) { enables.append({control, on}); });
    QObject::connect(&model, &MainWindowModel::defaultButtonChanged, &window,
                     [&](WindowControl control) { defaultButton = control; });

    std::thread worker([&model] {
        model.setLabel(WindowControl::ReceiptLabel, QStringLiteral("17"));
        model.setLabel(WindowControl::ReceiptLabel, QStringLiteral("17"));
        model.setLabel(WindowControl::VersionLabel, QStringLiteral("---"));
        model.setEnabled(WindowControl::StartButton, false);
        model.setEnabled(WindowControl::ReportsMenu, true); // enabled already
        model.setDefaultButton(WindowControl::StartButton);
    });
    worker.join();
    EXPECT_TRUE(labels.isEmpty()) << "a queued call runs on the window thread's loop";
    QCoreApplication::sendPostedEvents();

    const QList<std::pair<WindowControl, QString>> wantLabels = {
        {WindowControl::ReceiptLabel, QStringLiteral("17")}, {WindowControl::VersionLabel, QStringLiteral("---")}};
    EXPECT_EQ(labels, wantLabels);
    const QList<std::pair<WindowControl, bool>> wantEnables = {{WindowControl::StartButton, false}};
    EXPECT_EQ(enables, wantEnables);
    EXPECT_EQ(defaultButton, WindowControl::StartButton);
    EXPECT_FALSE(model.isEnabled(WindowControl::StartButton));
    EXPECT_TRUE(model.isEnabled(WindowControl::ReportsMenu));
    EXPECT_EQ(model.label(WindowControl::ReceiptLabel), QStringLiteral("17"));
}

} // namespace
} // namespace merovan
