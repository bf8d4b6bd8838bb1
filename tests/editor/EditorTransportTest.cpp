#include "editor/EditorFakes.h"

#include <gtest/gtest.h>

namespace vt::test {

using EditorTransportTest = EditorTest;

// Play, pause and shuttle must move the player itself, not only the model's
// playing state: the time reports would otherwise flip it straight back.
TEST_F(EditorTransportTest, PlayPauseAndShuttleDriveThePlayer)
{
    EditorRig rig(sampleProject(12));
    EditorModel& e = *rig;
    FakePlayer& player = *rig.player;

    e.togglePlay();
    EXPECT_EQ(player.rates, (std::vector<double>{1}));
    e.shuttle(1);
    e.shuttle(1);
    e.shuttle(1);  // the rate stops doubling at 4
    EXPECT_EQ(player.rates, (std::vector<double>{1, 2, 4, 4}));
    e.togglePlay();
    EXPECT_EQ(player.pauses, 1);
    EXPECT_FALSE(e.isPlaying());
    e.shuttle(1);  // from a pause L starts at normal speed
    EXPECT_EQ(player.rates.back(), 1);
    e.shuttle(0);
    EXPECT_EQ(player.pauses, 2);
    EXPECT_EQ(player.rates.size(), 5u);
}

}  // namespace vt::test
