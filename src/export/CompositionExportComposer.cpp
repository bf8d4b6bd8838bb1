#include "export/CompositionExportComposer.h"

#include "captions/CaptionRenderer.h"
#include "export/HlgPicture.h"
#include "video/CompositionBuilder.h"
#include "video/CompositionMixer.h"
#include "video/CompositionVideo.h"

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

class CompositionExportVideo final : public ComposedVideo {
public:
    explicit CompositionExportVideo(const ExportRequest& request)
        : build_(CompositionExportComposer::buildRequest(request, true)), snapshot_(request.snapshot)
    {
    }

    ~CompositionExportVideo() override { CaptionRenderer::forgetDrawn(); }

    double duration() const override { return snapshot_.plan.outputLength(); }

    QImage frame(double seconds, QSize size, bool hdr) override { return prepare(seconds, size, hdr)(); }

    // The sources are read here, in order; drawing, scaling and the HDR
    // signal are left to the returned function, which shares nothing
    // mutable with this object.
    Composing prepare(double seconds, QSize size, bool hdr) override
    {
        if (!video_ || size != size_) start(size);
        // Run once: the sources are handed over to be drawn on.
        return [sources = video_->read(seconds), size, hdr]() mutable {
            QImage picture = CompositionVideo::compose(std::move(sources), size);
            return hdr ? HlgPicture::fromStandard(picture) : picture;
        };
    }

private:
    // The export's own render state: the snapshot as taken, with the B-rolls
    // of its own build and rendered at the export size, so nothing is scaled.
    void start(QSize size)
    {
        if (!built_) built_ = CompositionBuilder::build(build_);
        RenderSnapshot snap = snapshot_;
        snap.broll = built_->broll;
        snap.renderSize = {double(size.width()), double(size.height())};
        video_ = std::make_unique<CompositionVideo>(built_->composition, built_->clipTracks,
                                                    std::make_shared<RenderState>(std::move(snap)));
        size_ = size;
    }

    BuildRequest build_;
    RenderSnapshot snapshot_;
    std::optional<BuildResult> built_;
    std::unique_ptr<CompositionVideo> video_;
    QSize size_;
};

class CompositionExportAudio final : public MixedAudio {
public:
    CompositionExportAudio(const ExportRequest& request, bool withBRoll)
        : build_(CompositionExportComposer::buildRequest(request, withBRoll)),
          total_(std::llround(std::max(request.snapshot.plan.outputLength(), 0.0) * kRate))
    {
    }

    bool hasAudio() const override
    {
        const Composition& composition = *built().composition;
        return std::any_of(composition.tracks().begin(), composition.tracks().end(),
                           [](const CompositionTrack& t) { return t.kind == TrackKind::audio && !t.segments.empty(); });
    }

    double duration() const override { return double(total_) / kRate; }

    media::AudioBuffer read(std::int64_t maxFrames) override
    {
        if (!mixer_) mixer_ = std::make_unique<CompositionMixer>(built().composition, built().audioMix, media::AudioFormat{kRate, 2});
        const std::int64_t n = std::clamp<std::int64_t>(total_ - mixer_->position(), 0, std::max<std::int64_t>(maxFrames, 0));
        return mixer_->render(n);
    }

private:
    static constexpr int kRate = 48000;

    const BuildResult& built() const
    {
        if (!built_) built_ = CompositionBuilder::build(build_);
        return *built_;
    }

    BuildRequest build_;
    std::int64_t total_;
    mutable std::optional<BuildResult> built_;
    std::unique_ptr<CompositionMixer> mixer_;
};

}  // namespace

BuildRequest CompositionExportComposer::buildRequest(const ExportRequest& request, bool withBRoll)
{
    const RenderSnapshot& snap = request.snapshot;
    BuildRequest b;
    b.clips = request.clips;
    b.plan = snap.plan;
    b.music = request.music;
    b.speech = request.speechSpans;
    if (withBRoll) b.broll = snap.broll;
    b.voiceover = request.voiceover;
    if (snap.effectsAudio) b.effects = *snap.effectsAudio;
    b.effectsVolume = snap.effectsVolume;
    b.sounds = snap.sounds;
    b.videoVolume = snap.videoVolume;
    return b;
}

std::unique_ptr<ComposedVideo> CompositionExportComposer::video(const ExportRequest& request)
{
    return std::make_unique<CompositionExportVideo>(request);
}

std::unique_ptr<MixedAudio> CompositionExportComposer::audio(const ExportRequest& request, bool withBRoll)
{
    return std::make_unique<CompositionExportAudio>(request, withBRoll);
}

}  // namespace vt
