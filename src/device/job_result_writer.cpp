#include "device/job_result_writer.h"

#include "core/append_line.h"
#include "core/operator.h"

#include <QDir>

namespace merovan {

namespace {

bool opensBlock(const QString &line)
{
    return line.startsWith(QStringLiteral("tag = ")) || line.startsWith(QStringLiteral("DateTime start = "));
}

} // namespace

void JobResultWriter::begin()
{
    opening_.clear();
    pastOpening_ = false;
    openedIn_.clear();
    divertedTo_.clear();
    diversionTold_ = false;
}

void JobResultWriter::append(const QString &target, const QString &line)
{
    const bool openingLine = !pastOpening_ && opensBlock(line);
    pastOpening_ = pastOpening_ || !openingLine;
    // Once a block has gone elsewhere the rest of it follows, so that no
    // file holds a block with lines missing from its middle.
    const QString to = divertedTo_.value(target, target);
    if (!appendLine(to, line)) {
        QStringList fallbacks{QStringLiteral("Result"), QStringLiteral("Result.unsent")};
        fallbacks = fallbacks.mid(fallbacks.indexOf(to) + 1);
        QString writtenTo;
        for (const QString &fallback : fallbacks) {
            if (fallback != target && appendOpening(fallback) && appendLine(fallback, line)) {
                writtenTo = fallback;
                divertedTo_.insert(target, fallback);
                break;
            }
        }
        tellDiversion(target, writtenTo);
    }
    if (openingLine)
        opening_ << line;
}

bool JobResultWriter::appendOpening(const QString &file)
{
    if (openedIn_.contains(file))
        return true;
    for (const QString &line : opening_) {
        if (!appendLine(file, line))
            return false;
    }
    openedIn_.insert(file);
    return true;
}

void JobResultWriter::tellDiversion(const QString &target, const QString &writtenTo)
{
    if (diversionTold_)
        return;
    diversionTold_ = true;
    PlainMessage(op_,
                 writtenTo.isEmpty()
                     ? QStringLiteral("Δεν ήταν δυνατή η εγγραφή του αρχείου αποτελεσμάτων \"%1\" ούτε του %2.")
                           .arg(target, QDir::current().filePath(QStringLiteral("Result.unsent")))
                     : QStringLiteral("Δεν ήταν δυνατή η εγγραφή του αρχείου αποτελεσμάτων \"%1\". "
                                      "Τα αποτελέσματα της εργασίας γράφονται στο %2.")
                           .arg(target, QDir::current().filePath(writtenTo)),
                 MsgExclamation);
}

} // namespace merovan
