// The words of the history and the host API, both ways.
#include "history/job_record.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace merovan;

namespace {

template <typename Enum>
struct Word {
    Enum value;
    const char *word;
};

template <typename Enum, typename Name, typename Named>
void expectWords(std::initializer_list<Word<Enum>> words, Name name, Named named)
{
    for (const Word<Enum> &w : words) {
        SCOPED_TRACE(w.word);
        EXPECT_EQ(name(w.value), QLatin1String(w.word));
        EXPECT_EQ(named(QLatin1String(w.word)), w.value);
    }
}

TEST(JobRecordNames, EveryValueHasItsWordAndBack)
{
    expectWords<JobSource>(
        {{JobSource::Folder, "folder"}, {JobSource::CommandLine, "command-line"}, {JobSource::Api, "api"}},
        sourceName, sourceNamed);
    expectWords<JobState>({{JobState::Queued, "queued"}, {JobState::Running, "running"}, {JobState::Done, "done"},
                           {JobState::Interrupted, "interrupted"}, {JobState::Rejected, "rejected"}},
                          stateName, stateNamed);
    expectWords<JobKind>({{JobKind::Job, "job"}, {JobKind::XReport, "x"}, {JobKind::PeriodXReport, "period-x"},
                          {JobKind::PeriodZReport, "period-z"}, {JobKind::ZReport, "z"}},
                         kindName, kindNamed);
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
