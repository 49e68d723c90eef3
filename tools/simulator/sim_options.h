#pragma once

#include "eft_terminals.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

namespace merovan::sim {

// Answer commands that start with prefix with "DE" and code.
struct ErrorRule {
    QString prefix;
    int code = 0;
};

// The register is busy ms milliseconds on the first command that starts
// with prefix: that command's reply comes so late.
struct BusyRule {
    QString prefix;
    int ms = 0;
};

// After the given number of status queries the operator keys something
// at the register ("CLEAR" or a command).
struct OperatorAction {
    int afterStatusQueries = 0;
    QString keys;
};

// The simulator's switches. Exactly one link is chosen.
struct SimOptions {
    enum class Link { Udp, Pty, Serial };
    Link link = Link::Udp;
    QString udpAddress;   // --udp ADDRESS:PORT
    quint16 udpPort = 0;
    QString ptyPath;      // --pty PATH
    QString serialDevice; // --serial DEVICE
    int baud = 9600;      // --baud N

    QString tracePath;    // --trace FILE
    QString paperPath;    // --paper FILE

    int latencyMs = 0;          // --latency MS
    bool silent = false;        // --silent
    QStringList silentFor;      // --silent-for CMD, repeatable
    int drop = 0;               // --drop N
    std::vector<BusyRule> busy; // --busy-on CMD=MS, repeatable
    double loseCommands = 0;    // --lose-commands P
    double loseReplies = 0;     // --lose-replies P
    quint32 seed = 1;           // --seed N
    bool split = false;         // --split (ordinary replies)
    bool splitErrors = false;   // --split-errors
    bool statusAsError = false; // --status-de
    std::vector<ErrorRule> errors; // --error CMD=NNNN, repeatable
    bool eot = true;            // --no-eot clears it
    QString firmware = QStringLiteral("MEROVAN-SIM 1.0"); // --firmware TEXT

    QMap<int, std::vector<TerminalVerdict>> terminals; // --eft N=VERDICTS, repeatable
    int statusError = 0;                               // --status-error CODE
    std::vector<OperatorAction> operatorActions;       // --operator N=KEYS, repeatable
};

struct ParsedOptions {
    SimOptions options;
    QString error;      // empty when the arguments were good
    bool help = false;    // --help was given
    bool version = false; // --version was given
};

// Reads the arguments that follow the program name.
ParsedOptions parseSimOptions(const QStringList &arguments);

QString simUsage();

} // namespace merovan::sim
