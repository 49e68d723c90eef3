#include "core/main_window_model.h"

namespace merovan {

MainWindowModel::MainWindowModel(QObject *parent) : QObject(parent) {}

void MainWindowModel::setCaption(const QString &text)
{
    if (caption_ == text)
        return;
    caption_ = text;
    Q_EMIT captionChanged(text);
}

void MainWindowModel::setStatus(const QString &text)
{
    if (status_ == text)
        return;
    status_ = text;
    Q_EMIT statusChanged(text);
}

void MainWindowModel::setLabel(const QString &name, const QString &text)
{
    auto it = labels_.find(name);
    if (it != labels_.end() && *it == text)
        return;
    labels_.insert(name, text);
    Q_EMIT labelChanged(name, text);
}

void MainWindowModel::setEnabled(const QString &name, bool on)
{
    if (isEnabled(name) == on)
        return;
    if (on)
        disabled_.remove(name);
    else
        disabled_.insert(name, true);
    Q_EMIT enabledChanged(name, on);
}

void MainWindowModel::setChecked(const QString &name, bool on)
{
    if (isChecked(name) == on)
        return;
    if (on)
        checked_.insert(name, true);
    else
        checked_.remove(name);
    Q_EMIT checkedChanged(name, on);
}

void MainWindowModel::setDefaultButton(const QString &name)
{
    if (defaultButton_ == name)
        return;
    defaultButton_ = name;
    Q_EMIT defaultButtonChanged(name);
}

void MainWindowModel::setVisible(bool on)
{
    if (visible_ == on)
        return;
    visible_ = on;
    Q_EMIT visibleChanged(on);
}

void MainWindowModel::setTrayIcon(bool on)
{
    if (trayIcon_ == on)
        return;
    trayIcon_ = on;
    Q_EMIT trayIconChanged(on);
}

} // namespace merovan
