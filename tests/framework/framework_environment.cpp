// Every framework test program starts the way the product's entry does: the
// module instance, the property name, and the frame class.

#include <gtest/gtest.h>

#include "framework/frame_window.h"
#include "framework/pointer_tracking.h"

namespace {

class FrameworkEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        SetInstance(GetModuleHandleA(nullptr));
        dragInfo.holdCountdown = kHoldIdle;
        FormatPropertyName();
        ASSERT_TRUE(RegisterFrameClass());
    }
    void TearDown() override { UnregisterFrameClass(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

}  // namespace
