#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

namespace merovan {

class Clock;

// The small window that says what the bridge waits for (frmErr): caption,
// a bold message label, a second label and a seconds counter. This is its
// state and behaviour; the widget and the console only show it.
//
// Closing it, by the caller or by the operator, emits closed(); the waits
// that show it turn that into WaitCancelled.
//
// The counter measures from the opening date and time, not the time of day
// alone, so it keeps counting up across midnight.
class RegisterMessage : public QObject {
    Q_OBJECT
public:
    explicit RegisterMessage(const Clock &clock, QObject *parent = nullptr);
    ~RegisterMessage() override;

    // Set before any other use: true keeps the seconds counter off.
    bool skipTimer() const { return skipTimer_; }
    void setSkipTimer(bool skip) { skipTimer_ = skip; }

    QString caption() const { return caption_; }
    QString message() const { return message_; }
    QString detail() const { return detail_; }
    void setCaption(const QString &text);
    void setMessage(const QString &text);
    void setDetail(const QString &text);

    // Runs the opening steps if they have not run yet.
    void open();
    bool isOpen() const { return opened_ && !closed_; }
    bool counterRunning() const { return counter_.isActive(); }

    // One tick of the seconds counter.
    void tick();

    // Stops the counter and reports the closing (once).
    void close();

Q_SIGNALS:
    // A caller changed a text; the counter's own ticks come as ticked().
    void changed();
    void ticked();
    void closed();

private:
    const Clock &clock_;
    QTimer counter_;
    QDateTime openedAt_;
    QString caption_;
    QString message_;
    QString detail_;
    bool skipTimer_ = false;
    bool opened_ = false;
    bool closed_ = false;
};

} // namespace merovan
