#include "settings/http_settings.h"

namespace merovan {

namespace {

using S = HttpSettings;

struct HttpKey {
    QLatin1StringView name; // with the blank after it
    void (*apply)(HttpSettings &settings, const QString &value);
};

const HttpKey kHttpKeys[] = {
    {QLatin1StringView("[http] "), [](S &s, const QString &v) { s.address = v; }},
    {QLatin1StringView("[http token] "), [](S &s, const QString &v) { s.tokenPath = v; }},
    {QLatin1StringView("[http origins] "),
     [](S &s, const QString &v) { s.origins = v.split(QLatin1Char(' '), Qt::SkipEmptyParts); }},
    {QLatin1StringView("[history days] "),
     [](S &s, const QString &v) {
         bool number = false;
         const int days = v.toInt(&number);
         s.historyDays = number && days >= 1 ? days : HttpSettings{}.historyDays;
     }},
};

const HttpKey *keyOf(const QString &line)
{
    for (const HttpKey &key : kHttpKeys) {
        if (line.startsWith(key.name))
            return &key;
    }
    return nullptr;
}

} // namespace

HttpSettings httpSettings(const QStringList &lines)
{
    HttpSettings settings;
    for (const QString &line : lines) {
        if (const HttpKey *key = keyOf(line))
            key->apply(settings, line.mid(key->name.size()).trimmed());
    }
    return settings;
}

bool isHttpSettingLine(const QString &line)
{
    return keyOf(line) != nullptr;
}

} // namespace merovan
