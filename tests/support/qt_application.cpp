#ifdef MEROVAN_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every test runs inside a Qt application, as the program does: timers,
// serial-port notifiers and queued signals want its event dispatcher. Tests
// that make windows get a QApplication.
class QtApplication final : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<TestApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "merovan_tests";
    char *argv_[2] = {name_, nullptr};
    std::unique_ptr<TestApplication> app_;
};

[[maybe_unused]] ::testing::Environment *const application =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
