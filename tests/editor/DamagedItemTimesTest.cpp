// Items of a damaged project whose offsets or file lengths are not numbers:
// moving or resizing them stores finite times, limited as for a sound item.

#include "EditorFakes.h"

#include <cmath>
#include <limits>

namespace vt {
namespace {

using namespace vt::test;
using K = TimelineItem::Kind;

class DamagedItemTimes : public EditorTest {};

TEST_F(DamagedItemTimes, ResizingKeepsOffsetsAndDurationsFinite)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double offset, fileDuration, wantedDuration;
        double offsetAfter, durationAfter;
    };
    // Start 1 s, 1 s long; resized to the wanted duration with the start kept.
    const Case cases[] = {
        {nan, 3, 8, 0, 3},      // an offset that is not a number plays from the file's start
        {0.5, nan, 2, 0.5, 2},  // an unknown file length limits nothing
        {0.5, inf, 2, 0.5, 2},
        {nan, nan, 2, 0, 2},
    };
    for (const Case& c : cases) {
        Project p = sampleProject(20);
        SoundClip sound;
        sound.start = 1;
        sound.offset = c.offset;
        sound.duration = 1;
        sound.fileDuration = c.fileDuration;
        p.sounds = std::vector<SoundClip>{sound};
        EditorRig rig(p);
        rig->setSpan({K::sound, sound.id}, 1, c.wantedDuration, true);
        const SoundClip after = rig->project().sounds->front();
        EXPECT_EQ(after.offset, c.offsetAfter) << c.offset << " " << c.fileDuration;
        EXPECT_NEAR(after.duration, c.durationAfter, 1e-9) << c.offset << " " << c.fileDuration;
        EXPECT_NEAR(after.start, 1, 1e-9);
    }
}

}  // namespace
}  // namespace vt
