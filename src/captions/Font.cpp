#include "captions/Font.h"

#include <QFontMetricsF>
#include <QImage>

namespace vt {

const QPaintDevice& pointPerPixelDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = 2835;  // 72 dpi
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFont Font::qfont() const
{
    QFont f;
    f.setFamilies(families);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(italic);
    f.setStretch(stretch);
    f.setPointSizeF(size > 0 ? size : 0.1);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(true);
    return f;
}

double Font::ascent() const
{
    return QFontMetricsF(qfont(), &pointPerPixelDevice()).ascent();
}

double Font::descent() const
{
    return QFontMetricsF(qfont(), &pointPerPixelDevice()).descent();
}

}  // namespace vt
