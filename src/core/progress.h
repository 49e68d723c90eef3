#pragma once

#include <QtGlobal>

namespace merovan {

class Operator;

// CLSiND: the job's progress, shown on the main window's lblProgr as
// " Ολοκληρώθηκε το NN%" (or "-" below 1). Each new value asks for a
// repaint; the window thread paints it while the job goes on.
class CLSiND {
public:
    explicit CLSiND(Operator &op) : op_(op) {}

    qint16 Value() const { return value_; }
    void setValue(qint16 value);
    qint16 Max() const { return max_; }
    void setMax(qint16 max) { max_ = max; }

private:
    Operator &op_;
    qint16 value_ = 0;
    qint16 max_ = 0;
};

} // namespace merovan
