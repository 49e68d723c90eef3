#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace merovan {

// The commands that only ask ("KXCL", "KXSTAT", "KXRE", "KXVER", "KX?TO",
// "KXREP..."): sending one twice changes nothing on the register. Every
// other command may change the receipt, so a second copy of it may print
// twice.
bool isQuery(const QString &command);

// Queries and the subtotal ("KXST") leave the register's status as it was:
// a status read before them still holds after them.
bool leavesStatus(const QString &command);

// The status in a "KXSTAT" reply (carriage returns and EOT removed): the
// number after "STAT:", or the error number after "DE" from the reply's
// 8th character on; nothing for a reply of any other shape.
std::optional<qint16> statusInReply(const QString &reply);

} // namespace merovan
