#include "greek/greek_conversion.h"

namespace merovan {

QString GreekConversion::converted() const
{
    return result_;
}

void GreekConversion::convert(const QString &text, bool direction)
{
    result_ = convertByTable(text, direction ? codePage737ToWindowsTable() : *toTarget_);
}

DosGreekConversion::DosGreekConversion() : GreekConversion(windowsToCodePage737Table()) {}

RegisterCharsetConversion::RegisterCharsetConversion() : GreekConversion(windowsToRegisterTable()) {}

} // namespace merovan
