#include "core/progress.h"

#include "core/main_window_model.h"
#include "core/operator.h"

#include <cmath>

namespace merovan {

void JobProgress::setValue(qint16 value)
{
    value_ = value;
    MainWindowModel &window = op_.mainWindow();
    if (value_ < 1) {
        window.setLabel(WindowControl::ProgressLabel, QStringLiteral("-"));
    } else {
        window.setLabel(WindowControl::ProgressLabel, QStringLiteral(" Ολοκληρώθηκε το %1%").arg(percent()));
        window.repaint();
    }
}

int JobProgress::percent() const
{
    // The interpreter never counts beyond the line count; a zero maximum
    // is read as complete rather than divided by.
    const double share = max_ > 0 ? static_cast<double>(value_) / max_ : 1.0;
    return int(std::lround(share * 100.0));
}

} // namespace merovan
