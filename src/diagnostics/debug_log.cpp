#include "diagnostics/debug_log.h"

#include "core/append_line.h"
#include "core/clock.h"
#include "diagnostics/recent_log_lines.h"

namespace merovan {

DebugLog::DebugLog(const Clock &clock, QString logFilePath, QObject *parent)
    : QObject(parent), clock_(clock), logFilePath_(std::move(logFilePath))
{
}

void DebugLog::addLine(const QString &line)
{
    if (line.isNull())
        return;
    if (recent_)
        recent_->add(line);
    if (!active_)
        return;
    if (fileSwitch_)
        appendLine(logFilePath_, line);
    Q_EMIT lineAdded(line);
}

void DebugLog::setActive(bool on)
{
    if (on && !active_)
        fileSwitch_ = true;
    if (active_.exchange(on) == on)
        return;
    Q_EMIT activeChanged(on);
}

QString DebugLog::stamp() const { return logStamp(clock_.now()); }

QString DebugLog::shaped(const char *label, const QString &text) const
{
    if (!active_ && !recent_)
        return {};
    return stamp() + QLatin1String(label) + text;
}

QString DebugLog::sendLine(const QString &command) const
{
    return shaped("       send:[", command + QLatin1Char(']'));
}

QString DebugLog::replyLine(const QString &reply) const { return shaped("      reply: ", printableText(reply)); }

QString DebugLog::asyncReplyLine(const QString &reply) const { return shaped("reply async: ", printableText(reply)); }

QString DebugLog::staleLine(const QString &bytes) const { return shaped("      stale: ", printableText(bytes)); }

QString DebugLog::noteLine(const QString &text) const { return shaped("       note: ", text); }

QString DebugLog::endLine() const { return shaped(" -----------", QString()); }

QString DebugLog::eftWaitLine(int seconds) const { return shaped(" waiting eft print: ", QString::number(seconds)); }

QString printableText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 32)
            out += QStringLiteral("ASC(%1) ").arg(c.unicode());
        else
            out += c;
    }
    return out;
}

} // namespace merovan
