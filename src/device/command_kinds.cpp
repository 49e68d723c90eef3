#include "device/command_kinds.h"

#include "core/numeric_text.h"
#include "device/register_link.h"

namespace merovan {

namespace {

constexpr qint16 kUnreadableNumber = RegisterLink::kUnreadableNumber;

} // namespace

bool isQuery(const QString &command)
{
    for (const char16_t *query : {u"KXCL", u"KXSTAT", u"KXRE", u"KXVER", u"KX?TO"}) {
        if (command == QStringView(query))
            return true;
    }
    return command.startsWith(QStringLiteral("KXREP"));
}

bool leavesStatus(const QString &command) { return isQuery(command) || command == QStringLiteral("KXST"); }

std::optional<qint16> statusInReply(const QString &reply)
{
    QString tail = reply.mid(7);
    if (tail.startsWith(QStringLiteral("DE"))) {
        tail.remove(QStringLiteral("DE"));
        tail.remove(QLatin1Char('C'));
        return wholeNumber<qint16>(leadingNumber(tail.trimmed())).value_or(kUnreadableNumber);
    }
    if (reply.startsWith(QStringLiteral("STAT:")))
        return wholeNumber<qint16>(leadingNumber(reply.mid(5))).value_or(kUnreadableNumber);
    return std::nullopt;
}

} // namespace merovan
