// A result line is written whole or not at all.
#include "core/append_line.h"
#include "file_size_limit.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace merovan;
using namespace merovan::test;

namespace {

TEST(AppendLine, WritesTheWholeLineOrTakesBackWhatWentIn)
{
    const struct {
        const char *what;
        rlim_t room; // bytes the file may hold
        bool written;
        QByteArray after;
    } cases[] = {
        {"room for the line", 100, true, "tag = A\r\nexitcode = 0\r\n"},
        {"room for the line to the last byte", 23, true, "tag = A\r\nexitcode = 0\r\n"},
        {"room for part of it", 15, false, "tag = A\r\n"},
        {"room for all but its line end", 22, false, "tag = A\r\n"},
        {"no room at all", 9, false, "tag = A\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Result"));
        ASSERT_TRUE(appendLine(path, QStringLiteral("tag = A")));
        bool written = false;
        {
            FileSizeLimit disk(c.room);
            written = appendLine(path, QStringLiteral("exitcode = 0"));
        }
        EXPECT_EQ(written, c.written);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.after);
    }
}

} // namespace
