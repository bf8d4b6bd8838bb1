#include "VideoTestSupport.h"

#include <QPainter>

namespace vt::test {

QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    const int halfW = width / 2, halfH = height / 2;
    p.fillRect(0, 0, halfW, halfH, Qt::blue);
    p.fillRect(halfW, 0, width - halfW, halfH, Qt::white);
    p.fillRect(0, halfH, halfW, height - halfH, Qt::red);
    p.fillRect(halfW, halfH, width - halfW, height - halfH, Qt::green);
    return image;
}

QImage solidFrame(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }

CaptionStyle captionLook()
{
    CaptionStyle look;
    look.id = "test-look";
    look.name = "Test";
    look.font = "Anton";
    look.fontSize = 110;
    look.textColor = {1, 1, 1, 1};
    look.uppercase = true;
    look.maxWordsPerGroup = 3;
    look.maxWordsPerLine = 3;
    look.verticalPosition = 0.5;
    return look;
}

PlacedMotion placedMotion(MotionEffect::Kind kind, double start, double duration, double strength)
{
    PlacedMotion placed;
    placed.effect.kind = kind;
    placed.effect.duration = duration;
    placed.effect.strength = strength;
    placed.start = start;
    return placed;
}

RenderSnapshot snapshot(int width, int height)
{
    RenderSnapshot snap;
    snap.style = captionLook();
    snap.renderSize = {static_cast<double>(width), static_cast<double>(height)};
    snap.plan.segments = {EditPlan::Segment{0, 10, 0}};
    snap.reframe = ReframeMode::center;
    return snap;
}

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

std::filesystem::path writeReference(const std::string& name, const QImage& image)
{
    std::filesystem::create_directories("reference");
    const auto path = std::filesystem::absolute(std::filesystem::path("reference") / (name + ".png"));
    image.save(QString::fromStdString(path.string()));
    return path;
}

}  // namespace vt::test
