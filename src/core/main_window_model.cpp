#include "core/main_window_model.h"
#include "core/register_message.h"

#include <QMutexLocker>

namespace merovan {

MainWindowModel::MainWindowModel(QObject *parent) : QObject(parent) {}

template <typename T> T MainWindowModel::load(const T &field) const
{
    QMutexLocker lock(&mutex_);
    return field;
}

template <typename T> bool MainWindowModel::store(T &field, const T &value)
{
    QMutexLocker lock(&mutex_);
    if (field == value)
        return false;
    field = value;
    return true;
}

QString MainWindowModel::caption() const { return load(caption_); }

void MainWindowModel::setCaption(const QString &text)
{
    if (store(caption_, text))
        Q_EMIT captionChanged(text);
}

QString MainWindowModel::status() const
{
    QMutexLocker lock(&mutex_);
    const QString shown = statusNote_.isEmpty() ? status_ : statusNote_;
    if (waitNote_.isEmpty())
        return shown;
    return statusNote_.isEmpty() ? waitNote_ : waitNote_ + QLatin1Char(' ') + statusNote_;
}

void MainWindowModel::setStatus(const QString &text)
{
    if (store(status_, text) && status() == text)
        Q_EMIT statusChanged(text);
}

void MainWindowModel::pinStatusNote(const QString &note)
{
    if (store(statusNote_, note))
        Q_EMIT statusChanged(status());
}

void MainWindowModel::setWaitNote(const QString &note)
{
    if (store(waitNote_, note))
        Q_EMIT statusChanged(status());
}

QString MainWindowModel::label(WindowControl control) const
{
    QMutexLocker lock(&mutex_);
    return labels_.value(control);
}

void MainWindowModel::setLabel(WindowControl control, const QString &text)
{
    {
        QMutexLocker lock(&mutex_);
        auto it = labels_.find(control);
        if (it != labels_.end() && *it == text)
            return;
        labels_.insert(control, text);
    }
    Q_EMIT labelChanged(control, text);
}

bool MainWindowModel::isEnabled(WindowControl control) const
{
    QMutexLocker lock(&mutex_);
    return !disabled_.contains(control);
}

void MainWindowModel::setEnabled(WindowControl control, bool on)
{
    {
        QMutexLocker lock(&mutex_);
        if (disabled_.contains(control) != on)
            return;
        if (on)
            disabled_.remove(control);
        else
            disabled_.insert(control, true);
    }
    Q_EMIT enabledChanged(control, on);
}

bool MainWindowModel::isChecked(WindowControl control) const
{
    QMutexLocker lock(&mutex_);
    return checked_.contains(control);
}

void MainWindowModel::setChecked(WindowControl control, bool on)
{
    {
        QMutexLocker lock(&mutex_);
        if (checked_.contains(control) == on)
            return;
        if (on)
            checked_.insert(control, true);
        else
            checked_.remove(control);
    }
    Q_EMIT checkedChanged(control, on);
}

std::optional<WindowControl> MainWindowModel::defaultButton() const { return load(defaultButton_); }

void MainWindowModel::setDefaultButton(WindowControl control)
{
    if (store(defaultButton_, std::optional(control)))
        Q_EMIT defaultButtonChanged(control);
}

bool MainWindowModel::isVisible() const { return load(visible_); }

void MainWindowModel::setVisible(bool on)
{
    if (store(visible_, on))
        Q_EMIT visibleChanged(on);
}

bool MainWindowModel::notificationAreaAvailable() const { return load(notificationArea_); }

void MainWindowModel::setNotificationAreaAvailable(bool on) { store(notificationArea_, on); }

bool MainWindowModel::isMinimized() const { return load(minimized_); }

void MainWindowModel::setMinimized(bool on)
{
    if (store(minimized_, on))
        Q_EMIT minimizedChanged(on);
}

bool MainWindowModel::hasTrayIcon() const { return load(trayIcon_); }

void MainWindowModel::setTrayIcon(bool on)
{
    if (store(trayIcon_, on))
        Q_EMIT trayIconChanged(on);
}

std::shared_ptr<RegisterMessage> MainWindowModel::registerMessage() const
{
    QMutexLocker lock(&mutex_);
    std::shared_ptr<RegisterMessage> window = registerMessage_.lock();
    return window && window->isOpen() ? window : nullptr;
}

void MainWindowModel::setRegisterMessage(const std::shared_ptr<RegisterMessage> &window)
{
    QMutexLocker lock(&mutex_);
    registerMessage_ = window;
}

} // namespace merovan
