#include "control/main_window.h"

#include "control/bridge.h"
#include "control/menu_tree.h"
#include "control/state_texts.h"
#include "control/tray_model.h"
#include "core/main_window_model.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/debug_window.h"
#include "widgets/on_screen.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace merovan {

namespace {

// Caption on the left, value label on the right.
struct LabelRow {
    QString caption;
    WindowControl value;
};

const LabelRow kRows[] = {
    {QStringLiteral("Πόρτα επικοινωνίας"), WindowControl::ConnectionLabel},
    {QStringLiteral("Ταχύτητα         :"), WindowControl::BaudLabel},
    {QStringLiteral("Αρχείο              :"), WindowControl::JobFileLabel},
    {QStringLiteral("Περιγραφή       :"), WindowControl::DescriptionLabel},
    {QStringLiteral("Σχόλια              :"), WindowControl::CommentsLabel},
    {QStringLiteral("Εξόφληση         :"), WindowControl::CurrencyLabel},
    {QStringLiteral("Ταμειακή          :"), WindowControl::RegisterLabel},
    {QStringLiteral("f/w version"), WindowControl::VersionLabel},
    {QStringLiteral(" Αριθμός Αποδείξεων"), WindowControl::ReceiptLabel},
};

QPushButton *colouredButton(const QString &text, const QString &colour, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(colour));
    return button;
}

} // namespace

MainWindow::MainWindow(MainWindowModel &model, Bridge &bridge, DebugLog &log)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowMinimizeButtonHint),
      model_(model), bridge_(bridge), log_(log)
{
    buildMenus();
    setCentralWidget(buildBody());
    bindModel();
    connect(&log_, &DebugLog::activeChanged, this, &MainWindow::openDebugWindow);
    adjustSize();
    setFixedSize(sizeHint());
}

void MainWindow::buildMenus()
{
    QHash<int, QMenu *> open; // the menu being filled at each depth
    for (const MenuEntry &entry : mainMenu()) {
        QMenu *parent = entry.depth > 0 ? open.value(entry.depth - 1) : nullptr;
        if (!entry.control) {
            parent->addSeparator();
            continue;
        }
        const WindowControl control = *entry.control;
        const bool isMenu = std::next(&entry) != mainMenu().data() + mainMenu().size() &&
                            std::next(&entry)->depth > entry.depth;
        if (isMenu) {
            QMenu *menu = parent ? parent->addMenu(entry.caption) : menuBar()->addMenu(entry.caption);
            menu->setEnabled(entry.enabledAtStart);
            menus_.insert(control, menu);
            open.insert(entry.depth, menu);
            continue;
        }
        QAction *action = parent->addAction(entry.caption);
        if (!entry.shortcut.isEmpty())
            action->setShortcut(QKeySequence(entry.shortcut));
        action->setEnabled(entry.enabledAtStart);
        action->setCheckable(control == WindowControl::DebugWindow);
        connect(action, &QAction::triggered, this, [this, control] { bridge_.trigger(control); });
        actions_.insert(control, action);
    }
}

QWidget *MainWindow::buildBody()
{
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);

    status_ = new QLineEdit(body);
    status_->setObjectName(QStringLiteral("status"));
    status_->setReadOnly(true);
    // Wide enough for the longest state text, so no state is cut.
    status_->setMinimumWidth(status_->fontMetrics().horizontalAdvance(state::offlineStatus()) + 24);
    layout->addWidget(status_);

    auto *grid = new QGridLayout;
    int row = 0;
    for (const LabelRow &r : kRows) {
        grid->addWidget(new QLabel(r.caption, body), row, 0);
        auto *value = new QLabel(body);
        value->setObjectName(merovan::objectName(r.value));
        grid->addWidget(value, row++, 1);
        labels_.insert(r.value, value);
    }
    auto *progress = new QLabel(body);
    progress->setObjectName(merovan::objectName(WindowControl::ProgressLabel));
    labels_.insert(WindowControl::ProgressLabel, progress);
    grid->addWidget(progress, row, 0, 1, 2);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    start_ = colouredButton(QStringLiteral("Έναρξη Εκτύπωσης"), QStringLiteral("rgb(192,255,192)"), body);
    stop_ = colouredButton(QStringLiteral("Διακοπή Εκτύπωσης"), QStringLiteral("rgb(255,192,192)"), body);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, [this] { bridge_.trigger(WindowControl::StartButton); });
    connect(stop_, &QPushButton::clicked, this, [this] { bridge_.trigger(WindowControl::StopButton); });
    return body;
}

void MainWindow::bindModel()
{
    const auto setEnabled = [this](WindowControl control, bool on) {
        if (control == WindowControl::MainWindow)
            QWidget::setEnabled(on);
        else if (control == WindowControl::StartButton)
            start_->setEnabled(on);
        else if (control == WindowControl::StopButton)
            stop_->setEnabled(on);
        else if (QAction *a = actions_.value(control))
            a->setEnabled(on);
        else if (QMenu *m = menus_.value(control))
            m->setEnabled(on);
    };
    const auto setLabel = [this](WindowControl control, const QString &text) {
        if (QLabel *label = labels_.value(control))
            label->setText(text);
    };
    connect(&model_, &MainWindowModel::captionChanged, this, &QWidget::setWindowTitle);
    connect(&model_, &MainWindowModel::statusChanged, status_, &QLineEdit::setText);
    connect(&model_, &MainWindowModel::labelChanged, this, setLabel);
    connect(&model_, &MainWindowModel::enabledChanged, this, setEnabled);
    connect(&model_, &MainWindowModel::checkedChanged, this, [this](WindowControl control, bool on) {
        if (QAction *a = actions_.value(control))
            a->setChecked(on);
    });
    connect(&model_, &MainWindowModel::defaultButtonChanged, this,
            [this](WindowControl control) { start_->setDefault(control == WindowControl::StartButton); });
    connect(&model_, &MainWindowModel::visibleChanged, this, &QWidget::setVisible);
    connect(&model_, &MainWindowModel::minimizedChanged, this, [this](bool on) { on ? showMinimized() : showNormal(); });
    connect(&model_, &MainWindowModel::repaintRequested, this, [this] { repaint(); });

    // Whatever the model already holds.
    setWindowTitle(model_.caption());
    status_->setText(model_.status());
    for (auto it = labels_.cbegin(); it != labels_.cend(); ++it)
        it.value()->setText(model_.label(it.key()));
    start_->setEnabled(model_.isEnabled(WindowControl::StartButton));
    stop_->setEnabled(model_.isEnabled(WindowControl::StopButton));
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (const int button = mouseButtonValue(event->buttons()))
        Q_EMIT mouseDragged(button);
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::openDebugWindow(bool on)
{
    if (!on)
        return; // the window closes itself when the log switches off
    auto *window = new DebugWindow(log_);
    window->setWindowIcon(windowIcon());
    // Beside the main window, moved in where the screen ends.
    showOnScreen(window, window->size(), QPoint(frameGeometry().left() + frameGeometry().width(), frameGeometry().top()),
                 screen());
}

} // namespace merovan

namespace merovan {

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    bridge_.requestStop();
}

} // namespace merovan
