#pragma once
// The one text format for timeline items dragged between views: a camera
// move of a kind, or a match cut with an optional style, seed and word, each
// behind the prefix "vellumtide-timeline:". Pure.

#include "editor/EditorModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace vt::TimelinePayload {

using Drop = EditorModel::TimelineDrop;

inline constexpr std::string_view prefix = "vellumtide-timeline:";

std::string payload(const Drop& drop);
std::optional<Drop> parse(std::string_view text);
// A drop of a match cut with nothing chosen (the template decides).
Drop matchCut();
Drop motion(MotionEffect::Kind kind);

}  // namespace vt::TimelinePayload
