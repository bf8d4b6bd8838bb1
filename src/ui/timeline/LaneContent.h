#pragma once
// Everything the lane drawing paints, read from the editor once per update so
// that painting never touches the model.

#include "model/CaptionGroup.h"
#include "model/EditPlan.h"
#include "model/SoundClip.h"
#include "model/Timeline.h"
#include "model/VolumeEnvelope.h"
#include "video/Filmstrip.h"

#include <QString>

#include <optional>
#include <set>
#include <unordered_set>
#include <vector>

namespace vt {

class EditorModel;

struct LaneContent {
    struct ClipBox {
        Uuid id;
        QString name;
        double start = 0;  // output seconds
        double end = 0;
        bool selected = false;
        std::optional<QString> job;
    };
    struct ClipMove {
        Uuid id;
        double dx = 0;  // points
        double start = 0;
        double end = 0;
    };
    struct SoundBox {
        SoundClip sound;
        double start = 0;  // output seconds
        int row = 0;
        bool selected = false;
        const std::vector<float>* peaks = nullptr;  // the file's own; may be empty
    };
    struct Bar {
        double start = 0;
        double end = 0;
    };

    EditPlan plan;
    std::vector<CaptionGroup> groups;
    const std::vector<Filmstrip::Frame>* filmstrip = nullptr;
    const std::vector<float>* peaks = nullptr;
    double sourceAspect = 0.5625;
    std::vector<ClipBox> clips;
    std::optional<ClipMove> clipMove;
    bool joined = false;
    std::optional<Bar> voice;
    std::optional<QString> music;
    std::optional<std::pair<QString, double>> hook;
    bool emptyOverlay = true;
    bool emptyMatchCut = true;
    bool emptyEffects = true;
    bool emptySounds = true;
    VolumeEnvelope videoVolume;
    std::vector<SoundBox> sounds;
    std::vector<TimelineLane> dimmed;
    std::set<Uuid> pickedWords;

    bool isDimmed(const TimelineLane& lane) const;
    // Filled from the editor; `clipMove` is the running clip drag, if any.
    static LaneContent from(const EditorModel& editor, const std::vector<TimelineLane>& lanes,
                            std::optional<std::pair<Uuid, double>> clipMove);
    // The lanes drawn faded because their layer is hidden or muted.
    static std::vector<TimelineLane> dimmedLanes(const Project& project, const std::vector<TimelineLane>& lanes);
};

}  // namespace vt
