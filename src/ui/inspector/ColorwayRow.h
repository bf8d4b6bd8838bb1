#pragma once
// The colourways under the selected style card: a first dot for the look's
// own colours, then one dot per swatch whose colour is not the look's own
// accent. The dot matching the video's current accent is ringed (none when
// the video's look was recoloured by hand to another colour). A click
// recolours the video's look through the editor (no undo step).

#include "captions/look/CaptionStyle.h"

#include <QWidget>

namespace vt {
class EditorModel;
}

namespace vt::ui {

class ColorwayRow : public QWidget {
    Q_OBJECT
public:
    ColorwayRow(EditorModel& editor, CaptionStyle preset, QWidget* parent = nullptr);

    // Red, green and blue differ by less than 0.04 in sum; alpha is ignored.
    static bool matches(const RGBA& a, const RGBA& b);

    // Builds the dots again for the video's current look.
    void refresh();

private:
    EditorModel& editor_;
    CaptionStyle preset_;
};

}  // namespace vt::ui
