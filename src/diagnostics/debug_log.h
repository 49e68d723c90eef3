#pragma once

#include <QObject>
#include <QString>

#include <atomic>

namespace merovan {

class Clock;
class RecentLogLines;

// The communication log. Any part of the program hands it finished lines
// (addLine); while the debug window is open (active) each line
// goes to the window's view and, while the file switch is ticked, to
// "merovanLog.txt" beside the executable. The file is opened and closed per
// line so it can be read, copied or deleted while the bridge runs.
//
// The worker writes lines while the window thread opens and closes the
// window, so the two switches are atomic and the lines reach the window
// as queued signals.
class DebugLog : public QObject {
    Q_OBJECT
public:
    DebugLog(const Clock &clock, QString logFilePath, QObject *parent = nullptr);

    // A null line is passed over.
    void addLine(const QString &line);

    bool active() const { return active_; }
    // Opening the window ticks the file switch again, as a fresh window does.
    void setActive(bool on);

    bool fileSwitch() const { return fileSwitch_; }
    void setFileSwitch(bool on) { fileSwitch_ = on; }

    QString logFilePath() const { return logFilePath_; }

    // Where every line also goes, whether the window is open or not (the
    // host API's feed); set before the worker starts, left for the run.
    void keepRecentLinesIn(RecentLogLines *recent) { recent_ = recent; }

    // The "mm:ss" time of day that starts every line.
    QString stamp() const;

    // The exchange's line shapes; the labels have fixed widths so the text
    // after them starts in the same column. While the log is off they are
    // not made at all (a null text, which addLine passes over): reading
    // the time of day for a line nobody keeps costs more than the line.
    QString sendLine(const QString &command) const;
    QString replyLine(const QString &reply) const;
    QString asyncReplyLine(const QString &reply) const;
    // Bytes that were waiting before a command was sent: no command's reply.
    QString staleLine(const QString &bytes) const;
    // What the link concluded about a command sent more than once.
    QString noteLine(const QString &text) const;
    QString endLine() const;
    QString eftWaitLine(int seconds) const;

Q_SIGNALS:
    // The view appends CR LF and the line; it never rebuilds its text.
    void lineAdded(const QString &line);
    void activeChanged(bool on);

private:
    // The time of day, the label and the text; a null text while off.
    QString shaped(const char *label, const QString &text) const;

    const Clock &clock_;
    QString logFilePath_;
    std::atomic<bool> active_ = false;
    std::atomic<bool> fileSwitch_ = true;
    RecentLogLines *recent_ = nullptr;
};

// Every character below 32 written as "ASC(" + code + ") ", for log lines.
QString printableText(const QString &text);

} // namespace merovan
