// Follow-face framing end to end, on the real portrait of the shared
// fixtures: talking-head videos are made from it (still, stored upside down,
// taller than the output, close up, panned, zoomed), tracked as the import
// tracks them, and exported to a vertical frame through the program's
// compositor. In every exported frame the whole face must show, near where a
// crop centred on the true face would put it. The framing is the same at any
// output size, so the export is made at half of 1080 × 1920 to keep the test
// quick.

#include "export/CompositionExportComposer.h"
#include "export/Exporter.h"
#include "platform/MediaProbe.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"
#include "video/effects/FaceTracker.h"

#include <gtest/gtest.h>

#include <QImage>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace vt;

namespace {

// The face of the portrait (512 × 512), forehead to chin and cheek to cheek.
const QRect kFace(180, 78, 90, 98);

constexpr int kOutWidth = 540, kOutHeight = 960;
constexpr int kScaleDown = 2;  // exported frames are measured at half their size
constexpr double kRate = 10;

// A source video and where the face is in it at a time, in source pixels
// (rows top first).
struct Shot {
    const char* name;
    double seconds;
    std::string filter;  // ffmpeg filter graph from the portrait [0:v] (looped) to the video
    std::function<QRectF(double)> face;  // in the upright picture
    bool upsideDown = false;             // stored turned over, with a 180° display matrix
    QSize size{1280, 720};               // upright

    friend void PrintTo(const Shot& shot, std::ostream* out) { *out << shot.name; }
};

// The portrait scaled to `side` pixels, its top-left corner at (x(t), y).
QRectF placedFace(double side, double x, double y)
{
    const double k = side / 512;
    return {x + kFace.x() * k, y + kFace.y() * k, kFace.width() * k, kFace.height() * k};
}

std::string canvas(const Shot& shot)
{
    return "color=c=black:s=" + std::to_string(shot.size.width()) + "x" + std::to_string(shot.size.height()) +
           ":r=" + std::to_string(int(kRate)) + ":d=" + std::to_string(shot.seconds);
}

std::vector<Shot> shots()
{
    std::vector<Shot> all;
    // The portrait filling the height, left of centre, on black.
    all.push_back({"still", 3, "[0:v]scale=720:720[p];[1:v][p]overlay=x=140:y=0:shortest=1",
                   [](double) { return placedFace(720, 140, 0); }});
    // Stored upside down and shown upright by its display matrix: the face is
    // right of centre as stored and left of centre in the upright picture
    // that the tracker and the compositor both work on.
    all.push_back({"turned", 3, "[0:v]scale=720:720,vflip,hflip[p];[1:v][p]overlay=x=420:y=0:shortest=1",
                   [](double) { return placedFace(720, 140, 0); }, true});
    // A tall picture, taller than the output: the crop moves up and down too.
    all.push_back({"tall", 3, "[0:v]scale=720:720[p];[1:v][p]overlay=x=0:y=200:shortest=1",
                   [](double) { return placedFace(720, 0, 200); }, false, QSize(720, 1600)});
    // Pushed in so the suit and the rocket fill the frame; the face near the top.
    all.push_back({"close", 3, "[0:v]scale=1200:1200[p];[1:v][p]overlay=x=20:y=-10:shortest=1",
                   [](double) { return placedFace(1200, 20, -10); }});
    // Drifting right at 12 pixels a second (a talking head settling in).
    all.push_back({"panned", 6, "[0:v]scale=720:720[p];[1:v][p]overlay=x='80+12*t':y=0:shortest=1",
                   [](double t) { return placedFace(720, 80 + 12 * t, 0); }});
    // A slow zoom into the middle of the frame: the face grows and moves left.
    const double zoomPerFrame = 0.008;
    all.push_back({"zoomed", 5,
                   "[0:v]scale=720:720[p];[1:v][p]overlay=x=140:y=0:shortest=1,scale=2560:1440,"
                   "zoompan=z='1+" + std::to_string(zoomPerFrame) + "*on':x='iw/2-iw/zoom/2':y='ih/2-ih/zoom/2':d=1:"
                   "s=1280x720:fps=10",
                   [=](double t) {
                       const double z = 1 + zoomPerFrame * std::round(t * kRate);
                       const QRectF f = placedFace(720, 140, 0);
                       return QRectF(640 + z * (f.x() - 640), 360 + z * (f.y() - 360), z * f.width(), z * f.height());
                   }});
    return all;
}

std::filesystem::path makeVideo(const test::TempDir& dir, const Shot& shot)
{
    const auto file = dir / (std::string(shot.name) + ".mp4");
    const std::string command =
        "ffmpeg -v error -y -loop 1 -framerate " + std::to_string(int(kRate)) + " -i " +
        test::shellQuote(test::sharedFixture("face-portrait.png").string()) + " -f lavfi -i " + canvas(shot) +
        " -filter_complex " + test::shellQuote(shot.filter + ",format=yuv420p") + " -t " + std::to_string(shot.seconds) +
        " -c:v libx264 -preset ultrafast -crf 23 " + test::shellQuote(file.string());
    EXPECT_EQ(test::run(command), 0) << command;
    return shot.upsideDown ? test::withRotateTag(file, 180) : file;
}

// How much the fill-and-crop scales a source of this upright size.
double fillOf(QSize source)
{
    return std::max(double(kOutWidth) / source.width(), double(kOutHeight) / source.height());
}

// Where the crop that follows `focus` (y up) puts a source point (rows top
// first), in output pixels (rows top first).
QPointF framed(QPointF p, Point focus, QSize source)
{
    const double fill = fillOf(source);
    const double sw = source.width() * fill, sh = source.height() * fill;
    const double ox = std::clamp(focus.x * sw - kOutWidth / 2.0, 0.0, sw - kOutWidth);
    const double oy = std::clamp(focus.y * sh - kOutHeight / 2.0, 0.0, sh - kOutHeight);  // from the bottom
    return {p.x() * fill - ox, kOutHeight - ((source.height() - p.y()) * fill - oy)};
}

Point trueFocus(const QRectF& face, QSize source)
{
    return {face.center().x() / source.width(), 1 - face.center().y() / source.height()};
}

// The exported frames, grey, measured at a smaller size.
std::vector<cv::Mat> decodedFrames(const std::filesystem::path& video)
{
    const int w = kOutWidth / kScaleDown, h = kOutHeight / kScaleDown;
    const std::string raw = test::commandOutput("ffmpeg -v error -i " + test::shellQuote(video.string()) + " -vf scale=" +
                                                std::to_string(w) + ":" + std::to_string(h) +
                                                ":flags=area,format=gray -f rawvideo -");
    std::vector<cv::Mat> frames;
    for (std::size_t at = 0; at + std::size_t(w * h) <= raw.size(); at += std::size_t(w * h))
        frames.push_back(cv::Mat(h, w, CV_8U, const_cast<char*>(raw.data() + at)).clone());
    return frames;
}

// The portrait's face, grey, at `size` pixels.
cv::Mat faceTemplate(QSizeF size)
{
    static const QImage portrait = QImage(QString::fromStdString(test::sharedFixture("face-portrait.png").string()))
                                       .copy(kFace)
                                       .convertToFormat(QImage::Format_Grayscale8);
    const QImage scaled = portrait.scaled(size.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return cv::Mat(scaled.height(), scaled.width(), CV_8U, const_cast<uchar*>(scaled.constBits()),
                   std::size_t(scaled.bytesPerLine()))
        .clone();
}

// The best place of the face in a frame: its centre (frame pixels) and how
// well it matches (normalised correlation). Only places where the whole face
// lies inside the frame are tried, so a face partly out of the picture
// matches poorly.
std::pair<QPointF, double> findFace(const cv::Mat& frame, const cv::Mat& face)
{
    cv::Mat scores;
    cv::matchTemplate(frame, face, scores, cv::TM_CCOEFF_NORMED);
    double best = 0;
    cv::Point at;
    cv::minMaxLoc(scores, nullptr, &best, nullptr, &at);
    return {QPointF(at.x + face.cols / 2.0, at.y + face.rows / 2.0), best};
}

class FollowFaceExport : public testing::TestWithParam<Shot> {};

}  // namespace

TEST_P(FollowFaceExport, EveryFrameKeepsTheWholeFaceNearItsPlace)
{
    const Shot& shot = GetParam();
    test::TempDir dir;
    const auto source = makeVideo(dir, shot);
    const auto track = FaceTracker::analyze(source, shot.seconds, {});
    ASSERT_TRUE(track);

    ExportRequest request;
    ClipMedia clip;
    clip.id = Uuid::random();
    clip.url = source;
    clip.info = MediaLoading::loadSourceVideoInfo(source);
    clip.duration = shot.seconds;
    request.clips = {clip};
    request.snapshot.plan = {{{0, shot.seconds, 0}}};
    request.snapshot.reframe = ReframeMode::smart;
    request.snapshot.faceTrack = track;
    request.snapshot.captionsVisible = false;
    CompositionExportComposer composer;
    const auto video = composer.video(request);
    const ExportSettings::Resolved settings{{kOutWidth, kOutHeight}, kRate, 2, VideoCodec::h264, false, "540p"};
    Exporter::exportVideo(*video, nullptr, settings, dir / "out.mp4", {}, CancelToken());

    const std::vector<cv::Mat> frames = decodedFrames(dir / "out.mp4");
    ASSERT_EQ(frames.size(), std::size_t(std::lround(shot.seconds * kRate)));
    double worst = 0, worstTracked = 0, poorest = 1;
    for (std::size_t n = 0; n < frames.size(); ++n) {
        const double t = n / kRate;
        const QRectF face = shot.face(t);
        // Where a crop centred on the true face puts it, and where the
        // track's crop puts it by the same geometry.
        const QPointF expected = framed(face.center(), trueFocus(face, shot.size), shot.size) / kScaleDown;
        const QPointF tracked = framed(face.center(), track->center(t), shot.size) / kScaleDown;
        const auto [found, match] =
            findFace(frames[n], faceTemplate(face.size() * fillOf(shot.size) / kScaleDown));
        const double error = std::max(std::abs(found.x() - expected.x()) / frames[n].cols,
                                      std::abs(found.y() - expected.y()) / frames[n].rows);
        worst = std::max(worst, error);
        poorest = std::min(poorest, match);
        worstTracked = std::max(worstTracked, std::max(std::abs(tracked.x() - expected.x()) / frames[n].cols,
                                                       std::abs(tracked.y() - expected.y()) / frames[n].rows));
        EXPECT_GT(match, 0.8) << "the whole face shows at " << t << " s";
        EXPECT_LT(error, 0.1) << "the face is off its place at " << t << " s";
    }
    std::printf("[ %s ] worst framing error %.3f of the frame (measured), %.3f (from the track); poorest match %.2f\n",
                shot.name, worst, worstTracked, poorest);
}

INSTANTIATE_TEST_SUITE_P(Shots, FollowFaceExport, testing::ValuesIn(shots()),
                         [](const auto& info) { return std::string(info.param.name); });
