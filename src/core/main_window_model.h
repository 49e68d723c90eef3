#pragma once

#include "core/window_control.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace merovan {

class RegisterMessage;

// Everything the main window shows, without a widget: caption, status line,
// the labels, and the enabled/checked state of buttons and menu items, each
// by its WindowControl. The widget window renders it; merovand prints its
// caption and status changes; tests read it.
//
// The worker thread writes it while the window thread reads it, so every
// member is guarded; a change is signalled after the lock is released and
// reaches the window thread as a queued call.
class MainWindowModel : public QObject {
    Q_OBJECT
public:
    explicit MainWindowModel(QObject *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &text);

    // The status line. While a note is pinned (the program
    // ends after the job under way) the line shows the note, and what the
    // job writes is kept behind it. While the bridge waits for something
    // outside it (a card terminal's verdict) the line says so first, before
    // any pinned note; an empty text ends that.
    QString status() const;
    void setStatus(const QString &text);
    void pinStatusNote(const QString &note);
    void setWaitNote(const QString &note);

    // The value labels (ConnectionLabel, VersionLabel, ProgressLabel, ...).
    QString label(WindowControl control) const;
    void setLabel(WindowControl control, const QString &text);

    // Buttons, menus and menu items, and the main window as a whole.
    bool isEnabled(WindowControl control) const;
    void setEnabled(WindowControl control, bool on);
    bool isChecked(WindowControl control) const;
    void setChecked(WindowControl control, bool on);

    // None until the bridge names one.
    std::optional<WindowControl> defaultButton() const;
    void setDefaultButton(WindowControl control);

    bool isVisible() const;
    void setVisible(bool on);

    // Whether the desktop has a notification area; without one a hidden
    // window could not be brought back, so the automatic start minimises
    // it instead of hiding it.
    bool notificationAreaAvailable() const;
    void setNotificationAreaAvailable(bool on);
    bool isMinimized() const;
    void setMinimized(bool on);

    // The notification-area icon, present from start-up to unload.
    bool hasTrayIcon() const;
    void setTrayIcon(bool on);

    // The register message window shown last, while it is open; the model
    // keeps no share of it.
    std::shared_ptr<RegisterMessage> registerMessage() const;
    void setRegisterMessage(const std::shared_ptr<RegisterMessage> &window);

    // A request to paint now, inside long work.
    void repaint() { Q_EMIT repaintRequested(); }

Q_SIGNALS:
    void captionChanged(const QString &text);
    void statusChanged(const QString &text);
    void labelChanged(merovan::WindowControl control, const QString &text);
    void enabledChanged(merovan::WindowControl control, bool on);
    void checkedChanged(merovan::WindowControl control, bool on);
    void defaultButtonChanged(merovan::WindowControl control);
    void visibleChanged(bool on);
    void minimizedChanged(bool on);
    void trayIconChanged(bool on);
    void repaintRequested();

private:
    // Reads a field under the lock.
    template <typename T> T load(const T &field) const;
    // Stores value into field under the lock; true when it changed.
    template <typename T> bool store(T &field, const T &value);

    mutable QMutex mutex_;
    QString caption_;
    QString status_;
    QString statusNote_;
    QString waitNote_;
    QHash<WindowControl, QString> labels_;
    QHash<WindowControl, bool> disabled_;
    QHash<WindowControl, bool> checked_;
    std::optional<WindowControl> defaultButton_;
    bool visible_ = false;
    bool notificationArea_ = true;
    bool minimized_ = false;
    bool trayIcon_ = false;
    std::weak_ptr<RegisterMessage> registerMessage_;
};

} // namespace merovan
