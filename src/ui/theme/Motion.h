#pragma once
// Whether animations run: off while the desktop asks for less motion (its
// animation setting, read once), or while the program has been told so.
// Every animated change of the views checks it and, when motion is
// reduced, changes at once or with a plain fade, as each view says.

namespace vt::Motion {

bool reduced();
void setReduced(bool reduced);

}  // namespace vt::Motion
