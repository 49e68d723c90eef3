#include "sim_options.h"

#include <QRegularExpression>

#include <functional>
#include <optional>
#include <utility>

namespace merovan::sim {

namespace {

// A whole number from 0 to max, or -1.
int readNumber(const QString &text, int max)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return -1;
    const int value = text.toInt();
    return value <= max ? value : -1;
}

bool isIpv4Address(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        if (part.size() > 3 || readNumber(part, 255) < 0)
            return false;
    }
    return true;
}

QString setUdp(SimOptions &o, const QString &value)
{
    const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
    const QString address = value.left(colon);
    const int port = colon < 0 ? -1 : readNumber(value.mid(colon + 1), 65535);
    if (!isIpv4Address(address) || port < 1)
        return QStringLiteral("--udp wants ADDRESS:PORT, for example 127.0.0.2:5012");
    o.link = SimOptions::Link::Udp;
    o.udpAddress = address;
    o.udpPort = static_cast<quint16>(port);
    return {};
}

// "CMD=N": a command prefix and a number of at most six digits.
std::optional<std::pair<QString, int>> commandRule(const QString &value)
{
    static const QRegularExpression shape(QStringLiteral("^(.+)=([0-9]{1,6})$"));
    const QRegularExpressionMatch match = shape.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    return std::pair(match.captured(1), match.captured(2).toInt());
}

QString setError(SimOptions &o, const QString &value)
{
    const auto rule = commandRule(value);
    if (!rule || rule->second > 9999)
        return QStringLiteral("--error wants CMD=NNNN, for example KXST=1038");
    o.errors.push_back({rule->first, rule->second});
    return {};
}

QString addBusyRule(SimOptions &o, const QString &value)
{
    const auto rule = commandRule(value);
    if (!rule)
        return QStringLiteral("--busy-on wants CMD=MS, for example KX100R1=7600");
    o.busy.push_back({rule->first, rule->second});
    return {};
}

QString addTerminal(SimOptions &o, const QString &value)
{
    static const QRegularExpression shape(QStringLiteral("^([0-9]{1,2})=(.+)$"));
    const QRegularExpressionMatch match = shape.match(value);
    const auto verdicts = match.hasMatch() ? parseVerdicts(match.captured(2)) : std::nullopt;
    if (!verdicts)
        return QStringLiteral("--eft wants N=VERDICTS, for example 1=approve:5000 or 2=decline:05:1000,approve");
    o.terminals[match.captured(1).toInt()] = *verdicts;
    return {};
}

QString addOperatorAction(SimOptions &o, const QString &value)
{
    static const QRegularExpression shape(QStringLiteral("^([0-9]{1,6})=(.+)$"));
    const QRegularExpressionMatch match = shape.match(value);
    if (!match.hasMatch())
        return QStringLiteral("--operator wants N=KEYS, for example 3=KXT1 or 2=CLEAR");
    o.operatorActions.push_back({match.captured(1).toInt(), match.captured(2)});
    return {};
}

using Apply = std::function<QString(SimOptions &, const QString &)>;

Apply number(const char *name, int max, int SimOptions::*field)
{
    return [name, max, field](SimOptions &o, const QString &value) {
        const int n = readNumber(value, max);
        if (n < 0)
            return QStringLiteral("%1 wants a whole number up to %2").arg(QLatin1String(name)).arg(max);
        o.*field = n;
        return QString();
    };
}

// A chance from 0 to 1, written with a point: "0.02", "1", "0".
Apply chance(const char *name, double SimOptions::*field)
{
    return [name, field](SimOptions &o, const QString &value) {
        static const QRegularExpression shape(QStringLiteral("^(0(\\.[0-9]{1,6})?|1(\\.0{1,6})?)$"));
        if (!shape.match(value).hasMatch())
            return QStringLiteral("%1 wants a chance from 0 to 1, for example 0.02").arg(QLatin1String(name));
        o.*field = value.toDouble();
        return QString();
    };
}

Apply text(QString SimOptions::*field)
{
    return [field](SimOptions &o, const QString &value) {
        o.*field = value;
        return QString();
    };
}

Apply flag(bool SimOptions::*field, bool value)
{
    return [field, value](SimOptions &o, const QString &) {
        o.*field = value;
        return QString();
    };
}

Apply link(SimOptions::Link kind, QString SimOptions::*field)
{
    return [kind, field](SimOptions &o, const QString &value) {
        o.link = kind;
        o.*field = value;
        return QString();
    };
}

QString seed(SimOptions &o, const QString &value)
{
    const int n = readNumber(value, 999999999);
    if (n < 0)
        return QStringLiteral("--seed wants a whole number up to 999999999");
    o.seed = quint32(n);
    return {};
}

QString addSilentFor(SimOptions &o, const QString &value)
{
    o.silentFor << value;
    return {};
}

struct Switch {
    const char *name;
    const char *valueName; // nullptr for a switch without value
    bool link;             // one of the mutually exclusive links
    Apply apply;
    const char *help;
};

// One row per switch; the usage text is made from the same rows.
const std::vector<Switch> &switches()
{
    using L = SimOptions::Link;
    using O = SimOptions;
    static const std::vector<Switch> table = {
        {"--udp", "ADDRESS:PORT", true, setUdp, "answer UDP datagrams on ADDRESS:PORT"},
        {"--pty", "PATH", true, link(L::Pty, &O::ptyPath), "create a pseudo-terminal and link PATH to it"},
        {"--serial", "DEVICE", true, link(L::Serial, &O::serialDevice), "use the serial DEVICE"},
        {"--baud", "N", false, number("--baud", 4000000, &O::baud), "baud rate of --serial (9600)"},
        {"--trace", "FILE", false, text(&O::tracePath), "write every command received to FILE"},
        {"--paper", "FILE", false, text(&O::paperPath), "write what the register prints to FILE"},
        {"--latency", "MS", false, number("--latency", 600000, &O::latencyMs), "wait MS before each reply"},
        {"--silent", nullptr, false, flag(&O::silent, true), "never answer"},
        {"--silent-for", "CMD", false, addSilentFor, "do not answer commands starting with CMD (repeatable)"},
        {"--drop", "N", false, number("--drop", 1000000, &O::drop), "ignore the first N commands received"},
        {"--busy-on", "CMD=MS", false, addBusyRule,
         "answer the first command starting with CMD after MS instead of --latency (repeatable)"},
        {"--lose-commands", "P", false, chance("--lose-commands", &O::loseCommands),
         "lose each command with chance P before the register hears it"},
        {"--lose-replies", "P", false, chance("--lose-replies", &O::loseReplies),
         "lose each reply with chance P after the register has acted on its command"},
        {"--seed", "N", false, seed, "start the chances of --lose-commands and --lose-replies from N (1)"},
        {"--split", nullptr, false, flag(&O::split, true), "send each ordinary reply in two pieces 30 ms apart"},
        {"--split-errors", nullptr, false, flag(&O::splitErrors, true),
         "send each error reply (DE...) in two pieces 30 ms apart, cut inside its number"},
        {"--status-de", nullptr, false, flag(&O::statusAsError, true),
         "answer KXSTAT with an error waiting as 0000000DE<code>C instead of STAT:<code>"},
        {"--error", "CMD=NNNN", false, setError, "answer commands starting with CMD with DE and NNNN (repeatable)"},
        {"--no-eot", nullptr, false, flag(&O::eot, false), "end replies with CR only"},
        {"--firmware", "TEXT", false, text(&O::firmware), "reply to KXVER with TEXT (MEROVAN-SIM 1.0)"},
        {"--eft", "N=VERDICTS", false, addTerminal, "attach card terminal N, e.g. 1=approve:5000 (repeatable)"},
        {"--status-error", "CODE", false, number("--status-error", 9999, &O::statusError),
         "report CODE to KXSTAT until the operator clears it"},
        {"--operator", "N=KEYS", false, addOperatorAction,
         "after the Nth KXSTAT the operator keys KEYS or CLEAR (repeatable)"},
    };
    return table;
}

const Switch *findSwitch(const QString &name)
{
    for (const Switch &s : switches()) {
        if (name == QLatin1String(s.name))
            return &s;
    }
    return nullptr;
}

} // namespace

ParsedOptions parseSimOptions(const QStringList &arguments)
{
    ParsedOptions parsed;
    int links = 0;
    for (qsizetype i = 0; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("--version")) {
            (argument == QLatin1String("--help") ? parsed.help : parsed.version) = true;
            return parsed;
        }
        const Switch *s = findSwitch(argument);
        if (!s) {
            parsed.error = QStringLiteral("unknown argument: ") + argument;
        } else if (s->valueName && i + 1 == arguments.size()) {
            parsed.error = argument + QStringLiteral(" needs ") + QLatin1String(s->valueName);
        } else {
            links += s->link ? 1 : 0;
            parsed.error = s->apply(parsed.options, s->valueName ? arguments[++i] : QString());
        }
    }
    if (parsed.error.isEmpty() && links != 1)
        parsed.error = QStringLiteral("choose exactly one of --udp, --pty and --serial");
    return parsed;
}

QString simUsage()
{
    QString usage = QStringLiteral("usage: merovan-sim (--udp ADDRESS:PORT | --pty PATH | --serial DEVICE) [switches]\n");
    for (const Switch &s : switches()) {
        const QString left = QLatin1String(s.name) + (s.valueName ? QLatin1Char(' ') + QLatin1String(s.valueName) : QString());
        usage += QStringLiteral("  ") + left.leftJustified(24) + QLatin1String(s.help) + QLatin1Char('\n');
    }
    usage += QStringLiteral("  --help                  show this text\n");
    usage += QStringLiteral("  --version               show the simulator's version\n");
    return usage;
}

} // namespace merovan::sim
