// The words of the history and the host API, both ways.
#include "history/job_record.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace merovan;

namespace {

TEST(JobRecordNames, EveryValueHasItsWordAndBack)
{
    const struct {
        JobSource value;
        const char *word;
    } sources[] = {{JobSource::Folder, "folder"}, {JobSource::CommandLine, "command-line"}, {JobSource::Api, "api"}};
    for (const auto &c : sources) {
        EXPECT_EQ(sourceName(c.value), QLatin1String(c.word));
        EXPECT_EQ(sourceNamed(QLatin1String(c.word)), c.value);
    }
    const struct {
        JobState value;
        const char *word;
    } states[] = {{JobState::Queued, "queued"}, {JobState::Running, "running"}, {JobState::Done, "done"},
                  {JobState::Interrupted, "interrupted"}, {JobState::Rejected, "rejected"}};
    for (const auto &c : states) {
        EXPECT_EQ(stateName(c.value), QLatin1String(c.word));
        EXPECT_EQ(stateNamed(QLatin1String(c.word)), c.value);
    }
    const struct {
        JobKind value;
        const char *word;
    } kinds[] = {{JobKind::Job, "job"}, {JobKind::XReport, "x"}, {JobKind::PeriodXReport, "period-x"},
                 {JobKind::PeriodZReport, "period-z"}, {JobKind::ZReport, "z"}};
    for (const auto &c : kinds) {
        EXPECT_EQ(kindName(c.value), QLatin1String(c.word));
        EXPECT_EQ(kindNamed(QLatin1String(c.word)), c.value);
    }
}

TEST(JobRecordNames, OtherWordsNameNothing)
{
    for (const char *word : {"", "Folder", "DONE", "period_x", "z ", "cancelled"}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(sourceNamed(QLatin1String(word)), std::nullopt);
        EXPECT_EQ(stateNamed(QLatin1String(word)), std::nullopt);
        EXPECT_EQ(kindNamed(QLatin1String(word)), std::nullopt);
    }
}

} // namespace
