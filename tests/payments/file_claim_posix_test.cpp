#include "payments/payment_types.h"

#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace merovan {
namespace {

// Another program's hold on the file, through a descriptor of its own, or the
// file made read-only. Record locks of an open file description stand for
// another process's record locks: they conflict within one process too.
enum class Hold { FlockExclusive, FlockShared, RecordWrite, RecordRead, ReadOnly };

bool take(const QString &path, int fd, Hold hold)
{
    if (hold == Hold::ReadOnly)
        return QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (hold == Hold::FlockExclusive || hold == Hold::FlockShared)
        return ::flock(fd, hold == Hold::FlockExclusive ? LOCK_EX : LOCK_SH) == 0;
    struct flock whole {};
    whole.l_type = hold == Hold::RecordWrite ? F_WRLCK : F_RDLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
}

class FileClaimTest : public ::testing::TestWithParam<Hold> {};

TEST_P(FileClaimTest, EveryOperationFailsAndTurnsTheCardOffUntilTheHoldIsGone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
    ASSERT_EQ(writePaymentType({1, 2, 1, -1}, path), 0);
    const QByteArray before = fileBytes(path);
    const int other = ::open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_TRUE(other >= 0 && take(path, other, GetParam()));

    PaymentTypeRecord record{1};
    EXPECT_EQ(readPaymentTypeQuietly(record, path), -1);
    EXPECT_EQ(writePaymentType({1, 3}, path), -1);
    EXPECT_EQ(deletePaymentType(1, path), -1);
    EXPECT_EQ(readPaymentType(op, 1, path).PAY_active, 0);
    EXPECT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(fileBytes(path), before);

    ::close(other);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readPaymentType(op, 1, path).PAY_active, -1);
    EXPECT_EQ(writePaymentType({1, 3}, path), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfHold, FileClaimTest,
                         ::testing::Values(Hold::FlockExclusive, Hold::FlockShared, Hold::RecordWrite,
                                           Hold::RecordRead, Hold::ReadOnly));

} // namespace
} // namespace merovan
