#include "indexing/StopCheck.h"

#include <gtest/gtest.h>

#include "common/Exceptions.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

class StopCheckTest : public testing::PluginTest {
protected:
    ~StopCheckTest() override { PublishStopEvent(nullptr); }

    static bool Throws() {
        try {
            CheckForStop();
        } catch (const CKVRFailException& e) {
            return e.Code() == 0;
        }
        return false;
    }
};

TEST_F(StopCheckTest, WithoutAJobNothingIsRequested) {
    EXPECT_FALSE(StopRequested());
    EXPECT_FALSE(Throws());
}

TEST_F(StopCheckTest, ASetStopEventIsSeenUntilTheJobIsGone) {
    std::shared_ptr<platform::Event> event = posix.threads.CreateManualResetEvent();
    PublishStopEvent(event);
    EXPECT_FALSE(StopRequested());
    EXPECT_FALSE(Throws());
    event->Set();
    EXPECT_TRUE(StopRequested());
    EXPECT_TRUE(Throws());
    PublishStopEvent(nullptr);
    EXPECT_FALSE(StopRequested());
}

}  // namespace
}  // namespace ombrel
