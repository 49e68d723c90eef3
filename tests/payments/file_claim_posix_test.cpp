#include "payments/payment_types.h"

#include "qt_printers.h"
#include "recording_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace merovan {
namespace {

// Another program's hold through a descriptor of its own, each lock the weakest
// of its kind, or the file made read-only. Record locks of an open file
// description conflict within one process, as another process's would.
enum class Hold { FlockShared, RecordRead, ReadOnly };

bool take(const QString &path, int fd, Hold hold)
{
    if (hold == Hold::ReadOnly)
        return QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (hold == Hold::FlockShared)
        return ::flock(fd, LOCK_SH) == 0;
    struct flock whole {};
    whole.l_type = F_RDLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

class FileClaimTest : public ::testing::TestWithParam<Hold> {};

TEST_P(FileClaimTest, WritingAndReadingFailAndTurnTheCardOffUntilTheHoldIsGone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("payeft.dat"));
    test::RecordingOperator op;
    ASSERT_EQ(writePaymentType({1, 2, 1, -1}, path), 0);
    const int other = ::open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_TRUE(other >= 0 && take(path, other, GetParam()));

    EXPECT_EQ(writePaymentType({1, 3}, path), -1);
    EXPECT_EQ(readPaymentType(op, 1, path).cardPaymentOn, 0);

    ::close(other);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readPaymentType(op, 1, path), (PaymentTypeRecord{1, 2, 1, -1})) << "nothing was written";
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfHold, FileClaimTest,
                         ::testing::Values(Hold::FlockShared, Hold::RecordRead, Hold::ReadOnly));

} // namespace
} // namespace merovan
