#include "indexing/StopCheck.h"

#include <gtest/gtest.h>

#include "common/Exceptions.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

class StopCheckTest : public testing::PluginTest {
  protected:
    ~StopCheckTest() override { CloseStopEvent(); }

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
    SignalStop();  // no event to set
    EXPECT_FALSE(StopRequested());
}

TEST_F(StopCheckTest, ASetStopEventIsSeenUntilItIsClosed) {
    ASSERT_TRUE(CreateStopEvent());
    EXPECT_FALSE(StopRequested());
    EXPECT_FALSE(Throws());
    SignalStop();
    EXPECT_TRUE(StopRequested());
    EXPECT_TRUE(Throws());
    CloseStopEvent();
    EXPECT_FALSE(StopRequested());
}

TEST_F(StopCheckTest, EachJobStartsWithAnEventThatIsNotSet) {
    ASSERT_TRUE(CreateStopEvent());
    SignalStop();
    ASSERT_TRUE(CreateStopEvent());
    EXPECT_FALSE(StopRequested());
}

}  // namespace
}  // namespace ombrel
