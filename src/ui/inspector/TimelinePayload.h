#pragma once
// The text a drag from the inspector hands to the timeline: the prefix
// "vellumtide-timeline:", then "motion:" and a camera move's name, or
// "matchcut:" with a match-cut style's name, seed and word joined by ":".

#include "model/MatchCut.h"
#include "model/MotionEffect.h"

#include <QString>

#include <cstdint>

class QMimeData;

namespace vt::ui {

QString motionPayload(MotionEffect::Kind kind);
QString matchCutPayload(MatchCut::Style style, std::int64_t seed, const QString& word);
// Plain text the drag carries.
QMimeData* payloadData(const QString& payload);

}  // namespace vt::ui
