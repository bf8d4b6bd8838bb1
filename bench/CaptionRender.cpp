// Drawing one caption image at 1080 × 1920 in four looks, and the person
// mask that a behind-the-speaker look needs for each frame.
#include "OffscreenApplication.h"
#include "captions/CaptionRenderer.h"
#include "platform/vision/PersonMask.h"

#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace vt;

CaptionStyle baseLook()
{
    CaptionStyle look;
    look.id = "bench";
    look.name = "Bench";
    look.font = "Montserrat-Black";
    look.fontSize = 84;
    look.textColor = {1, 1, 1, 1};
    look.uppercase = true;
    look.maxWordsPerGroup = 4;
    look.maxWordsPerLine = 3;
    look.verticalPosition = 0.7;
    look.cornerRadius = 14;
    return look;
}

CaptionStyle outlinedGlowing()
{
    CaptionStyle look = baseLook();
    look.strokeColor = RGBA{0, 0, 0, 1};
    look.strokeWidth = 6;
    look.glowColor = RGBA{1, 0.3, 0.7, 0.9};
    look.glowRadius = 22;
    look.shadowColor = RGBA{0, 0, 0, 0.6};
    look.shadowRadius = 8;
    look.shadowOffset = 6;
    look.highlight = HighlightMode::color;
    look.activeColor = RGBA{1, 0.85, 0.1, 1};
    return look;
}

CaptionStyle chatBubble()
{
    CaptionStyle look = baseLook();
    look.font = "system-semibold";
    look.uppercase = false;
    look.fontSize = 56;
    look.container = CaptionContainer::chatRight;
    look.chatThread = true;
    return look;
}

CaptionStyle behindSpeaker()
{
    CaptionStyle look = baseLook();
    look.font = "Anton";
    look.fontSize = 260;
    look.maxWordsPerLine = 1;
    look.verticalPosition = 0.35;
    look.behindSubject = true;
    look.animation = EntranceAnimation::slam;
    return look;
}

std::vector<CaptionGroup> groups()
{
    std::vector<CaptionGroup> out;
    const std::vector<std::vector<std::string>> lines{{"this", "is", "how"}, {"we", "make", "it"}, {"really", "land"}};
    double t = 0;
    for (const auto& words : lines) {
        CaptionGroup g;
        g.start = t;
        for (const auto& text : words) {
            g.words.push_back(TimedWord{text, t, t + 0.3, false, false, false, std::nullopt, std::nullopt, std::nullopt});
            t += 0.35;
        }
        g.end = t + 0.2;
        g.index = static_cast<int>(out.size());
        out.push_back(g);
        t += 0.3;
    }
    return out;
}

void drawCaption(benchmark::State& state, CaptionStyle (*look)())
{
    const auto all = groups();
    const CaptionStyle style = look();
    const double time = all.back().start + 0.7;  // every word settled, earlier groups before it
    for (auto _ : state) benchmark::DoNotOptimize(CaptionRenderer::captionImage(all, style, time, QSizeF(1080, 1920)));
}

BENCHMARK_CAPTURE(drawCaption, plain, baseLook)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawCaption, outlinedGlowing, outlinedGlowing)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawCaption, chatBubble, chatBubble)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawCaption, behindSpeaker, behindSpeaker)->Unit(benchmark::kMillisecond);

// The mask of a 1920 × 1080 frame with one speaker, as a behind-the-speaker
// caption needs it on every frame.
void personMask(benchmark::State& state)
{
    QImage frame(1920, 1080, QImage::Format_ARGB32);
    {
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(frame.rect(), QColor(90, 130, 140));
        p.setPen(Qt::NoPen);
        QPainterPath shirt;
        shirt.addEllipse(QPointF(960, 1150), 390, 330);
        p.fillPath(shirt, QColor(40, 40, 60));
        p.fillRect(QRectF(910, 560, 100, 180), QColor(200, 150, 120));
        p.setBrush(QColor(50, 35, 25));
        p.drawEllipse(QPointF(960, 360), 135, 160);
        p.setBrush(QColor(220, 170, 140));
        p.drawEllipse(QPointF(960, 395), 122, 162);
        for (int s : {-1, 1}) {
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(960 + s * 48, 370), 24, 15);
            p.setBrush(QColor(40, 30, 25));
            p.drawEllipse(QPointF(960 + s * 48, 370), 12, 13);
            p.drawRoundedRect(QRectF(960 + s * 48 - 32, 335, 64, 11), 4, 4);
        }
        p.setBrush(QColor(150, 60, 60));
        p.drawEllipse(QPointF(960, 480), 41, 13);
    }
    const FrameView view{frame.constBits(), frame.width(), frame.height(), static_cast<int>(frame.bytesPerLine())};
    if (!PersonMask::mask(view)) state.SkipWithError("no face found in the bench frame");
    for (auto _ : state) benchmark::DoNotOptimize(PersonMask::mask(view));
}
BENCHMARK(personMask)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return vt::bench::runOffscreen(argc, argv);
}
