#pragma once
// A generated talking-head frame for tests that need a person the face
// detector finds: a face, hair, neck and shirt over a gradient backdrop.

#include <QImage>

namespace vt::test {

// `faceHeight` is the face's share of the frame height, `centre` the
// speaker's share of its width.
QImage talkingHead(int W, int H, bool withPerson = true, double faceHeight = 0.3, double centre = 0.5);

}  // namespace vt::test
