#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan {

// What one command to the register came to.
struct CommandResult {
    // 0 accepted; -4 no answer; the register's error number; the
    // transport's open code; RegisterLink::kStoppedCode or kLostDeviceCode.
    qint16 code = 0;
    // The cleaned reply, the error number as text, or the failure text.
    QString text;
    // A later message (a card terminal's verdict) came after the reply and
    // took its place in text.
    bool laterMessage = false;

    bool accepted() const { return code == 0; }
};

} // namespace merovan
