#include "video/RenderSnapshot.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(RenderState, AReaderKeepsItsCopyWhenTheValueIsReplaced)
{
    RenderSnapshot first;
    first.captionsVisible = false;
    first.renderSize = {1080, 1920};
    RenderState state(first);

    auto held = state.load();
    RenderSnapshot second;
    second.renderSize = {1080, 1080};
    state.store(second);

    EXPECT_FALSE(held->captionsVisible);
    EXPECT_EQ(held->renderSize, (RenderSize{1080, 1920}));
    EXPECT_TRUE(state.load()->captionsVisible);
    EXPECT_EQ(state.load()->renderSize, (RenderSize{1080, 1080}));
}

}  // namespace
}  // namespace vt
