#include "api/metrics_text.h"

#include <QLocale>

namespace merovan {

namespace {

// The shortest text that reads back as the same double: 0.05, not 0.05000000000000000277.
QByteArray number(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

class MetricsWriter {
public:
    void family(const char *name, const char *type, const char *help)
    {
        text_ += QByteArray("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n';
    }

    void sample(const QByteArray &name, const QByteArray &labels, const QByteArray &value)
    {
        text_ += name + (labels.isEmpty() ? QByteArray() : '{' + labels + '}') + ' ' + value + '\n';
    }

    QByteArray text() const { return text_; }

private:
    QByteArray text_;
};

// A label value with its backslashes, quotes and line ends escaped.
QByteArray label(const char *name, const QString &value)
{
    QByteArray escaped = value.toUtf8();
    escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
    return QByteArray(name) + "=\"" + escaped + '"';
}

void writeExchangeHistogram(MetricsWriter &out, const BridgeMetrics &metrics)
{
    out.family("merovan_exchange_seconds", "histogram", "Time from a command sent to its reply, in seconds.");
    const QByteArray bucket("merovan_exchange_seconds_bucket");
    for (qsizetype i = 0; i < metrics.exchangeBucketBounds.size(); ++i) {
        out.sample(bucket, label("le", QString::fromLatin1(number(metrics.exchangeBucketBounds[i]))),
                   QByteArray::number(metrics.exchangeBucketCounts.value(i)));
    }
    const qsizetype bounds = metrics.exchangeBucketBounds.size();
    out.sample(bucket, label("le", QStringLiteral("+Inf")),
               QByteArray::number(metrics.exchangeBucketCounts.value(bounds, metrics.exchangeCount)));
    out.sample("merovan_exchange_seconds_sum", {}, number(metrics.exchangeSecondsSum));
    out.sample("merovan_exchange_seconds_count", {}, QByteArray::number(metrics.exchangeCount));
}

} // namespace

QByteArray metricsText(const BridgeMetrics &metrics)
{
    MetricsWriter out;
    out.family("merovan_jobs_total", "counter", "Jobs ended since start, by source and outcome.");
    for (auto it = metrics.jobs.cbegin(); it != metrics.jobs.cend(); ++it) {
        out.sample("merovan_jobs_total", label("source", it.key().first) + ',' + label("outcome", it.key().second),
                   QByteArray::number(it.value()));
    }
    out.family("merovan_commands_sent_total", "counter", "Commands sent to the register since start.");
    out.sample("merovan_commands_sent_total", {}, QByteArray::number(metrics.commandsSent));
    out.family("merovan_resends_total", "counter", "Commands sent again after a lost reply since start.");
    out.sample("merovan_resends_total", {}, QByteArray::number(metrics.resends));
    out.family("merovan_error_replies_total", "counter", "Error replies of the register since start, by code.");
    for (auto it = metrics.errorReplies.cbegin(); it != metrics.errorReplies.cend(); ++it)
        out.sample("merovan_error_replies_total", label("code", QString::number(it.key())), QByteArray::number(it.value()));
    writeExchangeHistogram(out, metrics);
    out.family("merovan_register_online", "gauge", "1 while the register answers, else 0.");
    out.sample("merovan_register_online", {}, metrics.online ? "1" : "0");
    out.family("merovan_queue_length", "gauge", "Jobs waiting on the queue.");
    out.sample("merovan_queue_length", {}, QByteArray::number(metrics.queueLength));
    return out.text();
}

} // namespace merovan
