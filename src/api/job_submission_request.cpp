#include "api/job_submission_request.h"

#include "greek/cp1253.h"

#include <QStringDecoder>

#include <algorithm>

namespace merovan {

namespace {

constexpr qsizetype kMaxKeyLength = 200;

ApiRefusal badRequest(const QString &message)
{
    return {.error = ApiError::BadRequest, .message = message};
}

// Whether the Content-Type has the parameter charset=utf-8 (or "utf-8",
// utf8), in any case.
bool saysUtf8(const QByteArray &contentType)
{
    const QList<QByteArray> parts = contentType.split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts[i].trimmed().toLower();
        if (!parameter.startsWith("charset="))
            continue;
        QByteArray value = parameter.mid(8);
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value == "utf-8" || value == "utf8";
    }
    return false;
}

// The line and column (from 1) of a place in a text.
QString placeOf(const QString &text, qsizetype index)
{
    const QStringView before = QStringView(text).first(index);
    const qsizetype line = before.count(QLatin1Char('\n')) + 1;
    const qsizetype column = index - (before.lastIndexOf(QLatin1Char('\n')) + 1) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

Checked<QByteArray> windows1253(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(utf8);
    if (decoder.hasError())
        return badRequest(QStringLiteral("the body is not valid UTF-8"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = cp1253Byte(text[i]);
        if (byte < 0) {
            const char32_t code = text[i].isHighSurrogate() && i + 1 < text.size()
                ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            const QString hex = QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
            return badRequest(QStringLiteral("U+%1 at %2 has no Windows-1253 byte").arg(hex, placeOf(text, i)));
        }
        bytes.append(char(byte));
    }
    return bytes;
}

} // namespace

HttpResponse tooLargeResponse()
{
    return errorResponse(ApiError::TooLarge, QStringLiteral("the body is over 1 MiB (1048576 bytes)"));
}

Checked<QString> idempotencyKey(const HttpRequest &request)
{
    const QByteArray key = request.header("Idempotency-Key");
    if (key.isEmpty())
        return badRequest(QStringLiteral("the Idempotency-Key header is needed: one new key for each receipt"));
    const bool printable = std::all_of(key.cbegin(), key.cend(), [](char c) { return c >= 0x20 && c <= 0x7E; });
    if (key.size() > kMaxKeyLength || !printable)
        return badRequest(QStringLiteral("the Idempotency-Key must be 1 to 200 printable ASCII characters"));
    return QString::fromLatin1(key);
}

Checked<QByteArray> jobText(const HttpRequest &request)
{
    if (saysUtf8(request.header("Content-Type")))
        return windows1253(request.body);
    return request.body;
}

} // namespace merovan
