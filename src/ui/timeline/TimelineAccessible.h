#pragma once
// What assistive tools see of the painted timeline: the tracks widget has
// one element per item block, a button named by the block's title and
// marked selected while its item is the timeline's selection.

namespace vt::TimelineAccessible {

// Registers the tracks' accessibility factory once; later calls do nothing.
void install();

}  // namespace vt::TimelineAccessible
