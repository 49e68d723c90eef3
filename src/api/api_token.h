#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace merovan {

struct TokenReading {
    std::optional<QByteArray> token;
    QString error; // when there is no token
};

// The bearer token in the [http token] file: its first line. A missing file
// is made with a new token (32 random bytes, hex) that only its owner can
// read: created with mode 0600, not narrowed after the token is in it.
TokenReading readOrMakeToken(const QString &path);

// Whether two tokens are the same, in a time that does not tell how much of
// them matched.
bool sameToken(QByteArrayView given, QByteArrayView expected);

} // namespace merovan
