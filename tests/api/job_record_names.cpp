// The job record's names for a build without the job history library.
#include "history/job_record.h"

#include <array>
#include <utility>

namespace merovan {

namespace {

template <typename Value, std::size_t N>
using Names = std::array<std::pair<Value, QLatin1StringView>, N>;

const Names<JobSource, 3> kSources{{{JobSource::Folder, QLatin1StringView("folder")},
                                    {JobSource::CommandLine, QLatin1StringView("command-line")},
                                    {JobSource::Api, QLatin1StringView("api")}}};
const Names<JobState, 5> kStates{{{JobState::Queued, QLatin1StringView("queued")},
                                  {JobState::Running, QLatin1StringView("running")},
                                  {JobState::Done, QLatin1StringView("done")},
                                  {JobState::Interrupted, QLatin1StringView("interrupted")},
                                  {JobState::Rejected, QLatin1StringView("rejected")}}};
const Names<JobKind, 5> kKinds{{{JobKind::Job, QLatin1StringView("job")},
                                {JobKind::XReport, QLatin1StringView("x")},
                                {JobKind::PeriodXReport, QLatin1StringView("period-x")},
                                {JobKind::PeriodZReport, QLatin1StringView("period-z")},
                                {JobKind::ZReport, QLatin1StringView("z")}}};

template <typename Value, std::size_t N>
QString nameOf(const Names<Value, N> &names, Value value)
{
    for (const auto &[v, name] : names) {
        if (v == value)
            return name;
    }
    return {};
}

template <typename Value, std::size_t N>
std::optional<Value> named(const Names<Value, N> &names, const QString &text)
{
    for (const auto &[v, name] : names) {
        if (text == name)
            return v;
    }
    return std::nullopt;
}

} // namespace

QString sourceName(JobSource source) { return nameOf(kSources, source); }
QString stateName(JobState state) { return nameOf(kStates, state); }
QString kindName(JobKind kind) { return nameOf(kKinds, kind); }
std::optional<JobSource> sourceNamed(const QString &name) { return named(kSources, name); }
std::optional<JobState> stateNamed(const QString &name) { return named(kStates, name); }
std::optional<JobKind> kindNamed(const QString &name) { return named(kKinds, name); }

} // namespace merovan
