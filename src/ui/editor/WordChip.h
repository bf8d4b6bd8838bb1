#pragma once
// One transcript word drawn as a chip: its text (with " ⏎" after a forced
// caption break), weight, strike, band of the caption line on screen, ring
// when picked and marker line for B-roll or a look of its own. Chips are
// painted by the paragraph view rather than being widgets, so an hour of
// words costs no more than the rows on screen.

#include "platform/Uuid.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <optional>
#include <string>

namespace vt {
struct Word;
}

namespace vt::ui {

struct WordChip {
    static constexpr double fontPoints = 15.5;
    static constexpr double padX = 4, padY = 3, radius = 7;
    static QColor strikeColour();  // sRGB (0.92, 0.26, 0.36)
    static QColor motionTint();    // sRGB (0.66, 0.5, 1.0), a look of its own

    enum class Marker { none, broll, style };

    QString text;
    bool emphasized = false;
    bool deleted = false;
    bool isActive = false;
    bool isSelected = false;
    bool inPlayingLine = false;
    bool joinsLeft = false;
    bool joinsRight = false;
    bool trimmed = false;
    bool filler = false;
    Marker marker = Marker::none;
    QString styleName;  // the look's name behind a style marker
    bool reduceMotion = false;
    // How far the struck look has come, 0 to 1, while it changes; absent
    // means settled (1 when struck, 0 otherwise).
    std::optional<double> struckAmount;

    // Whether a word's text is a filler; each distinct text is judged once.
    static bool isFiller(const std::string& text);
    // The flags a word alone decides; the paragraph sets the rest.
    static WordChip of(const Word& word);

    bool struck() const { return deleted || trimmed; }
    double strike() const { return struckAmount.value_or(struck() ? 1 : 0); }
    QFont font() const;
    QColor textColour() const;
    double textOpacity() const { return 1 - 0.3 * strike(); }
    QColor bandColour() const;  // transparent when no band
    double scale() const { return reduceMotion ? 1 : 1 - 0.03 * strike(); }
    QString helpText() const;
    QString markerHelp() const;  // empty without a marker
    // The chip's size at its font: the text plus its padding.
    QSizeF size() const;
    void paint(QPainter& painter, const QRectF& rect) const;
};

}  // namespace vt::ui
