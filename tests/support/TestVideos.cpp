#include "support/TestVideos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace vt::test {

std::filesystem::path makeCountingVideo(const TempDir& dir, const std::string& name, const CountingVideo& video)
{
    const auto out = dir / name;
    const double seconds = video.frames / video.rate;
    std::string filter = "geq=lum='16+8*N':cb=128:cr=128";
    std::string timing;
    if (!video.timing.empty()) {
        filter += ",settb=1/1000,setpts='(" + video.timing + ")/TB'";
        timing = "-fps_mode passthrough -enc_time_base 1:1000 -video_track_timescale 1000 ";
    }
    std::string cmd = "ffmpeg -v error -y -f lavfi -i nullsrc=s=" + std::to_string(video.width) + "x" + std::to_string(video.height) +
                      ":r=" + std::to_string(video.rate) + ":d=" + std::to_string(seconds) + " ";
    if (video.sound)
        cmd += "-f lavfi -i \"aevalsrc='0.5*sin(2*PI*440*t)|0.5*sin(2*PI*440*t)':s=48000:d=" + std::to_string(seconds) + "\" -c:a pcm_s16le ";
    cmd += "-vf \"" + filter + "\" " + timing + "-c:v libx264 -preset ultrafast -g 5 -pix_fmt yuv420p " + video.extra + " " + shellQuote(out.string());
    EXPECT_EQ(run(cmd), 0) << cmd;
    return out;
}

std::filesystem::path withRotateTag(const std::filesystem::path& file, int degrees)
{
    auto out = file;
    out.replace_filename("turned-" + file.filename().string());
    const std::string cmd = "ffmpeg -v error -y -i " + shellQuote(file.string()) + " -c copy -metadata:s:v:0 rotate=" + std::to_string(degrees) +
                            " " + shellQuote(out.string());
    EXPECT_EQ(run(cmd), 0) << cmd;
    return out;
}

int countedFrame(const std::uint8_t* bgraPixel)
{
    // Full-range RGB from video-range luma: 16 + 8n shows as 8n·255/219.
    return int(std::lround(bgraPixel[1] * 219.0 / 255.0 / 8.0));
}

int countedFrame(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    return countedFrame(argb.constScanLine(argb.height() / 2) + (argb.width() / 2) * 4);
}

EditPlan keptPlan(const std::vector<std::pair<double, double>>& kept)
{
    EditPlan plan;
    double out = 0;
    for (auto [from, to] : kept) {
        plan.segments.push_back({from, to, out});
        out += to - from;
    }
    return plan;
}

std::filesystem::path makeMedia(const std::filesystem::path& out, const std::string& arguments)
{
    const std::string command = "ffmpeg -v error -y " + arguments + " " + shellQuote(out.string());
    if (run(command) != 0) throw std::runtime_error("ffmpeg failed: " + command);
    return out;
}

std::filesystem::path spokenWords(const TempDir& dir, const std::string& name, const std::string& words, double gainDB)
{
    const auto raw = dir / (name + "-espeak.wav");
    if (run("espeak-ng -w " + shellQuote(raw.string()) + " " + shellQuote(words)) != 0) throw std::runtime_error("espeak-ng failed");
    return makeMedia(dir / (name + ".wav"), "-i " + shellQuote(raw.string()) + " -af volume=" + std::to_string(gainDB) + "dB");
}

std::filesystem::path cachedMedia(const std::string& name, const std::string& arguments)
{
    auto out = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::exists(out)) return out;
    auto partial = out;
    partial += ".part" + out.extension().string();
    if (run("ffmpeg -v error -y " + arguments + " " + shellQuote(partial.string())) != 0) throw std::runtime_error("ffmpeg failed");
    std::filesystem::rename(partial, out);
    return out;
}

}  // namespace vt::test
