#pragma once

#include <QByteArray>
#include <QString>

namespace merovan {

// A pseudo-terminal standing in for the register's serial port: the test
// holds the master end, the transport opens the slave by its path.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    QString slavePath() const { return slavePath_; }
    void write(const QByteArray &bytes);
    // Everything that arrives until quietMs pass without a byte.
    QByteArray read(int quietMs = 100);
    // The device vanishes, as when a USB adapter is pulled.
    void closeMaster();

private:
    int master_ = -1;
    QString slavePath_;
};

} // namespace merovan
