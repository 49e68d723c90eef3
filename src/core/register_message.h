#pragma once

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace merovan {

class Clock;

// The small window that says what the bridge waits for (frmErr): caption,
// a bold message label, a second label and a seconds counter. This is its
// state and behaviour; the widget and the console only show it.
//
// The worker that waits writes the texts while the window thread shows
// them and may close it, so it is shared between the two (see
// RegisterMessagePtr) and guarded. The window thread drives the seconds
// counter: while countsSeconds() it calls tick() once a second.
//
// Closing it, by the caller or by the operator, emits closed() once; the
// waits that show it read isOpen() or turn closed() into waitCancelled.
//
// The counter measures from the opening date and time, not the time of day
// alone, so it keeps counting up across midnight.
class RegisterMessage : public QObject {
    Q_OBJECT
public:
    explicit RegisterMessage(const Clock &clock, QObject *parent = nullptr);
    ~RegisterMessage() override;

    // Set before any other use: false keeps the seconds counter off.
    void setCountsSeconds(bool on) { secondsCounterOn_ = on; }

    QString caption() const;
    QString message() const;
    QString detail() const;
    void setCaption(const QString &text);
    void setMessage(const QString &text);
    void setDetail(const QString &text);

    // Runs the opening steps if they have not run yet.
    void open();
    bool isOpen() const { return opened_ && !closed_; }
    bool countsSeconds() const { return isOpen() && secondsCounterOn_; }

    // One tick of the seconds counter.
    void tick();

    // Reports the closing (once).
    void close();

Q_SIGNALS:
    // A caller changed a text; the counter's own ticks come as ticked().
    void changed();
    void ticked();
    void closed();

private:
    void setText(QString &field, const QString &text);

    const Clock &clock_;
    mutable QMutex mutex_;
    QDateTime openedAt_;
    QString caption_;
    QString message_;
    QString detail_;
    std::atomic<bool> secondsCounterOn_ = true;
    std::atomic<bool> opened_ = false;
    std::atomic<bool> closed_ = false;
};

using RegisterMessagePtr = std::shared_ptr<RegisterMessage>;

} // namespace merovan
