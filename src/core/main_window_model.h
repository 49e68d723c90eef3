#pragma once

#include <QHash>
#include <QObject>
#include <QString>

namespace merovan {

// Everything the main window shows, without a widget: caption, status line,
// the labels by control name, and the enabled/checked state of buttons and
// menu items by name. The widget window renders it; merovand prints its
// caption and status changes; tests read it.
class MainWindowModel : public QObject {
    Q_OBJECT
public:
    explicit MainWindowModel(QObject *parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString &text);

    // The status line (comstattxt).
    QString status() const { return status_; }
    void setStatus(const QString &text);

    // Labels such as "serialtxt", "txtVersion", "lblProgr".
    QString label(const QString &name) const { return labels_.value(name); }
    void setLabel(const QString &name, const QString &text);

    // Buttons ("Command1", "Command2") and menu items by their names.
    bool isEnabled(const QString &name) const { return !disabled_.contains(name); }
    void setEnabled(const QString &name, bool on);
    bool isChecked(const QString &name) const { return checked_.contains(name); }
    void setChecked(const QString &name, bool on);

    QString defaultButton() const { return defaultButton_; }
    void setDefaultButton(const QString &name);

    bool isVisible() const { return visible_; }
    void setVisible(bool on);

    // The notification-area icon, present from start-up to unload.
    bool hasTrayIcon() const { return trayIcon_; }
    void setTrayIcon(bool on);

    // A request to paint now, inside long work.
    void repaint() { Q_EMIT repaintRequested(); }

Q_SIGNALS:
    void captionChanged(const QString &text);
    void statusChanged(const QString &text);
    void labelChanged(const QString &name, const QString &text);
    void enabledChanged(const QString &name, bool on);
    void checkedChanged(const QString &name, bool on);
    void defaultButtonChanged(const QString &name);
    void visibleChanged(bool on);
    void trayIconChanged(bool on);
    void repaintRequested();

private:
    QString caption_;
    QString status_;
    QHash<QString, QString> labels_;
    QHash<QString, bool> disabled_;
    QHash<QString, bool> checked_;
    QString defaultButton_;
    bool visible_ = false;
    bool trayIcon_ = false;
};

} // namespace merovan
