#include "history/job_record.h"

#include <array>
#include <utility>

namespace merovan {

namespace {

template <typename Enum, std::size_t N>
using Words = std::array<std::pair<Enum, const char *>, N>;

constexpr Words<JobSource, 3> sourceWords{{
    {JobSource::Folder, "folder"},
    {JobSource::CommandLine, "command-line"},
    {JobSource::Api, "api"},
}};

constexpr Words<JobState, 5> stateWords{{
    {JobState::Queued, "queued"},
    {JobState::Running, "running"},
    {JobState::Done, "done"},
    {JobState::Interrupted, "interrupted"},
    {JobState::Rejected, "rejected"},
}};

constexpr Words<JobKind, 5> kindWords{{
    {JobKind::Job, "job"},
    {JobKind::XReport, "x"},
    {JobKind::PeriodXReport, "period-x"},
    {JobKind::PeriodZReport, "period-z"},
    {JobKind::ZReport, "z"},
}};

template <typename Enum, std::size_t N>
QString wordOf(const Words<Enum, N> &words, Enum value)
{
    for (const auto &[v, word] : words) {
        if (v == value)
            return QString::fromLatin1(word);
    }
    return {};
}

template <typename Enum, std::size_t N>
std::optional<Enum> valueOf(const Words<Enum, N> &words, const QString &name)
{
    for (const auto &[v, word] : words) {
        if (name == QLatin1String(word))
            return v;
    }
    return std::nullopt;
}

} // namespace

QString sourceName(JobSource source) { return wordOf(sourceWords, source); }
QString stateName(JobState state) { return wordOf(stateWords, state); }
QString kindName(JobKind kind) { return wordOf(kindWords, kind); }

std::optional<JobSource> sourceNamed(const QString &name) { return valueOf(sourceWords, name); }
std::optional<JobState> stateNamed(const QString &name) { return valueOf(stateWords, name); }
std::optional<JobKind> kindNamed(const QString &name) { return valueOf(kindWords, name); }

} // namespace merovan
