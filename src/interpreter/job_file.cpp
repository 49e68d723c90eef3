#include "interpreter/job_file.h"

#include <algorithm>

#include "greek/cp1253.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace merovan {

namespace {

// Far beyond any receipt, yet small enough to read whole without harm.
constexpr qint64 kLargestJob = 16 * 1024 * 1024;

QString headerValue(const QString &text, const QString &key, const QString &fallback)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return fallback;
    const qsizetype end = text.indexOf(QStringLiteral("\r\n"), at);
    if (end < 0)
        return fallback;
    const qsizetype start = at + key.size() + 2;
    return start >= end ? QString() : text.mid(start, end - start);
}

} // namespace

JobHeader readJobHeader(const QString &text)
{
    JobHeader header;
    header.resultFile = headerValue(text, QStringLiteral("resFile:"), header.resultFile);
    header.tag = headerValue(text, QStringLiteral("tag:"), header.tag);
    return header;
}

JobHeader readJobHeaderOnly(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return readJobHeader(fromCp1253(file.read(64 * 1024)));
}

std::optional<JobText> readJobFile(const QString &path, QString &whyNot)
{
    // Opening a pipe or a device for reading could wait for ever.
    if (!QFileInfo(path).isFile()) {
        whyNot = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        whyNot = QStringLiteral("cannot read the job file");
        return std::nullopt;
    }
    if (file.size() > kLargestJob) {
        whyNot = QStringLiteral("job file too large");
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    JobText job;
    job.identity = {bytes.size(), file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()};
    job.text = fromCp1253(bytes);
    job.lines = job.text.split(QStringLiteral("\r\n"));
    // A final CR LF ends the last line; it does not start another.
    if (!job.lines.isEmpty() && job.lines.last().isEmpty())
        job.lines.removeLast();
    return job;
}

bool keywordMatches(const QString &line, const QString &keyword, KeywordCase rule)
{
    // The keyword stands from column 2.
    const QString field = line.mid(1, keyword.size());
    switch (rule) {
    case KeywordCase::AnyCase:
        return field.compare(keyword, Qt::CaseInsensitive) == 0;
    case KeywordCase::LowerCase:
        return field == keyword.toLower();
    case KeywordCase::UpperOrLower:
        return field == keyword.toUpper() || field == keyword.toLower();
    }
    return false;
}

bool jobCanCloseFiscalDay(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return keywordMatches(line, QStringLiteral("MKZ"), KeywordCase::AnyCase) ||
               keywordMatches(line, QStringLiteral("snd"), KeywordCase::LowerCase) ||
               keywordMatches(line, QStringLiteral("PRG"), KeywordCase::UpperOrLower);
    });
}

bool commentsOn(SettingSwitch setting)
{
    return setting == SettingSwitch::On || setting == SettingSwitch::OnInCapitals;
}

} // namespace merovan
