#include "api/api_token.h"

#include <QFile>
#include <QRandomGenerator>

#include <array>

namespace merovan {

namespace {

QByteArray newToken()
{
    std::array<quint32, 8> words{}; // 32 bytes
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char *>(words.data()), sizeof(words)).toHex();
}

TokenReading readToken(QFile &file)
{
    const QByteArray token = file.readLine().trimmed();
    if (file.error() != QFileDevice::NoError)
        return {.token = std::nullopt, .error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString())};
    if (token.isEmpty())
        return {.token = std::nullopt, .error = QStringLiteral("%1: the token file is empty").arg(file.fileName())};
    return {.token = token, .error = {}};
}

} // namespace

TokenReading readOrMakeToken(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return readToken(file);
    if (file.exists())
        return {.token = std::nullopt, .error = QStringLiteral("%1: %2").arg(path, file.errorString())};
    // NewOnly: a token file another process made meanwhile is never overwritten.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return {.token = std::nullopt, .error = QStringLiteral("%1: %2").arg(path, file.errorString())};
    const QByteArray token = newToken();
    const QByteArray line = token + '\n';
    const bool written = file.write(line) == line.size() && file.flush();
    if (!written) {
        const QString error = QStringLiteral("%1: %2").arg(path, file.errorString());
        file.close();
        file.remove();
        return {.token = std::nullopt, .error = error};
    }
    return {.token = token, .error = {}};
}

bool sameToken(QByteArrayView given, QByteArrayView expected)
{
    // Every byte of the expected token is looked at whatever the given one is.
    unsigned difference = given.size() == expected.size() ? 0 : 1;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const char g = i < given.size() ? given[i] : 0;
        difference |= static_cast<unsigned char>(g ^ expected[i]);
    }
    return difference == 0 && !expected.isEmpty();
}

} // namespace merovan
