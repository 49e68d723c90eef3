#include "greek/greek_conversion.h"

namespace merovan {

QString GreekConversion::GreekString() const
{
    return result_;
}

void GreekConversion::InSring(const QString &text, bool direction)
{
    result_ = convertByTable(text, direction ? codePage737ToWindowsTable() : *toTarget_);
}

Greek437G::Greek437G() : GreekConversion(windowsToCodePage737Table()) {}

GreekMikro::GreekMikro() : GreekConversion(windowsToRegisterTable()) {}

} // namespace merovan
