#pragma once

#include <QtGlobal>

namespace merovan {

class Operator;

// The job's progress, shown on the main window's progress label as
// " Ολοκληρώθηκε το NN%" (or "-" below 1). Each new value asks for a
// repaint; the window thread paints it while the job goes on.
class JobProgress {
public:
    explicit JobProgress(Operator &op) : op_(op) {}

    qint16 value() const { return value_; }
    void setValue(qint16 value);
    qint16 maximum() const { return max_; }
    // How far the job is, 0..100: a zero maximum reads as complete.
    int percent() const;
    void setMaximum(qint16 max) { max_ = max; }

private:
    Operator &op_;
    qint16 value_ = 0;
    qint16 max_ = 0;
};

} // namespace merovan
