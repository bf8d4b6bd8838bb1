#include "video/CompositionAudio.h"

#include "audio/AudioRamps.h"
#include "audio/MusicDucker.h"
#include "platform/media/VideoProbe.h"

#include <algorithm>
#include <cmath>

namespace vt::CompositionAudio {

namespace {

constexpr double declickFade = 0.015;
constexpr double rampStep = 0.05;
constexpr std::int32_t mixScale = 48000;
constexpr std::int32_t cutScale = 600;
constexpr std::int32_t musicScale = 44100;
constexpr double shortestMusic = 0.5;

double decibels(double db) { return std::pow(10.0, db / 20); }

// The last piece that has begun by `time`, or pieces.size() when none has.
std::size_t pieceAt(const std::vector<Piece>& pieces, double time)
{
    std::size_t found = pieces.size();
    for (std::size_t k = 0; k < pieces.size(); ++k)
        if (pieces[k].start <= time) found = k;
    return found;
}

// A new sound track holding `file`'s first audio track, when it has one.
struct SoundTrack {
    std::int32_t trackID = 0;
    double sourceLength = 0;
};

std::optional<SoundTrack> soundTrack(const std::filesystem::path& file, Composition& composition)
{
    const auto end = media::audioTrackEnd(file);
    if (!end) return std::nullopt;
    return SoundTrack{composition.addTrack(TrackKind::audio), *end};
}

void setRamps(AudioMixInput& input, const std::vector<VolumeRamp>& ramps, std::int32_t timescale)
{
    for (const VolumeRamp& r : ramps) input.addRamp(r, timescale);
}

bool isFlatUnity(const VolumeEnvelope& e) { return e.points.empty() && e.fadeIn == 0 && e.fadeOut == 0 && e.db == 0; }

}  // namespace

double declick(const std::vector<Piece>& pieces, double time)
{
    if (pieces.size() < 2) return 1;
    const std::size_t k = pieceAt(pieces, time);
    if (k == pieces.size()) return 1;
    const Piece& p = pieces[k];
    if (p.end - p.start <= 2 * declickFade) return 1;
    double d = 1;
    if (k > 0) d = std::min((time - p.start) / declickFade, 1.0);
    if (k + 1 < pieces.size()) d = std::min(d, (p.end - time) / declickFade);
    return std::clamp(d, 0.0, 1.0);
}

double clipGain(const std::vector<Piece>& pieces, double time)
{
    if (pieces.empty()) return 1;
    const std::size_t k = pieceAt(pieces, time);
    return k == pieces.size() ? pieces.front().gain : pieces[k].gain;
}

std::optional<AudioMixInput> clipsInput(std::int32_t trackID, const std::vector<Piece>& pieces, double length, double originalLevel,
                                        const std::optional<VolumeEnvelope>& videoVolume)
{
    const VolumeEnvelope envelope = videoVolume.value_or(VolumeEnvelope{});
    const bool unityGains = std::all_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.gain == 1; });
    if (originalLevel >= 1 && pieces.size() <= 1 && isFlatUnity(envelope) && unityGains) return std::nullopt;

    std::vector<double> knots = envelope.knots(length);
    for (const Piece& p : pieces) knots.insert(knots.end(), {p.start, p.end});
    if (pieces.size() >= 2)
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const Piece& p = pieces[k];
            if (p.end - p.start <= 2 * declickFade) continue;
            if (k > 0) knots.insert(knots.end(), {p.start, p.start + declickFade});
            if (k + 1 < pieces.size()) knots.insert(knots.end(), {p.end - declickFade, p.end});
        }
    const auto gain = [&](double t) { return envelope.gain(t, length) * originalLevel * declick(pieces, t) * clipGain(pieces, t); };
    AudioMixInput input{trackID, 1, {}};
    setRamps(input, AudioRamps::ramps(gain, knots, 0, std::max(length, 0.001), rampStep), mixScale);
    return input;
}

std::optional<AudioMixInput> addVoiceover(const Voiceover& voice, Composition& composition, double length)
{
    const auto track = soundTrack(voice.path, composition);
    if (!track) return std::nullopt;
    const MediaTime at = MediaTime::make(std::max(voice.start, 0.0), cutScale);
    const double span = std::min(track->sourceLength, length - at.seconds());
    if (!(span > 0)) {
        composition.removeTrack(track->trackID);
        return std::nullopt;
    }
    composition.insert(track->trackID, voice.path, {0, mixScale}, MediaTime::make(span, mixScale), at);
    return AudioMixInput{track->trackID, decibels(voice.volume), {}};
}

std::optional<AudioMixInput> addEffects(const std::filesystem::path& file, double volumeDB, Composition& composition, double length)
{
    const auto track = soundTrack(file, composition);
    if (!track) return std::nullopt;
    const double span = std::min(track->sourceLength, length);
    if (!(span > 0)) {
        composition.removeTrack(track->trackID);
        return std::nullopt;
    }
    composition.insert(track->trackID, file, {0, mixScale}, MediaTime::make(span, mixScale), {0, cutScale});
    return AudioMixInput{track->trackID, decibels(volumeDB), {}};
}

std::optional<AudioMixInput> addSound(const PlacedSound& placed, Composition& composition, double length)
{
    const SoundClip& sound = placed.sound;
    std::error_code error;
    if (!std::filesystem::exists(sound.path, error)) return std::nullopt;
    const auto track = soundTrack(sound.path, composition);
    if (!track) return std::nullopt;
    const double span = std::min({track->sourceLength - sound.offset, length - placed.start, sound.duration});
    if (!(span > 0.01)) {
        composition.removeTrack(track->trackID);
        return std::nullopt;
    }
    composition.insert(track->trackID, sound.path, MediaTime::make(std::max(sound.offset, 0.0), mixScale), MediaTime::make(span, mixScale),
                       MediaTime::make(placed.start, mixScale));
    std::vector<double> knots = sound.volume.knots(sound.duration);
    for (double& k : knots) k += placed.start;
    const auto gain = [&](double t) { return sound.volume.gain(t - placed.start, sound.duration); };
    AudioMixInput input{track->trackID, 1, {}};
    setRamps(input, AudioRamps::ramps(gain, knots, placed.start, placed.start + span, rampStep), mixScale);
    return input;
}

std::optional<AudioMixInput> addMusic(const BackgroundMusic& music, Composition& composition, double length,
                                      const std::vector<ClosedRange<double>>& speech)
{
    const auto track = soundTrack(music.path, composition);
    if (!track) return std::nullopt;
    const double file = track->sourceLength;
    if (file <= shortestMusic) {
        composition.removeTrack(track->trackID);
        return std::nullopt;
    }
    const double offset = music.startOffset < 0 ? 0 : std::min(music.startOffset, file - shortestMusic);
    if (length - 0.01 > 0) {
        const double first = std::min(length, file - offset);
        composition.insert(track->trackID, music.path, MediaTime::make(offset, musicScale), MediaTime::make(first, musicScale), {0, musicScale});
        // Every repetition starts at the file's beginning, not at the offset.
        for (double t = first; music.loop && t < length - 0.01;) {
            const double piece = std::min(length - t, file);
            composition.insert(track->trackID, music.path, {0, musicScale}, MediaTime::make(piece, musicScale), MediaTime::make(t, musicScale));
            t += piece;
        }
    }
    const auto points = MusicDucker::curve(length, speech, music);
    AudioMixInput input{track->trackID, points.empty() ? 1 : points.front().gain, {}};
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i - 1].time < points[i].time)
            input.addRamp({points[i - 1].time, points[i].time, points[i - 1].gain, points[i].gain}, musicScale);
    return input;
}

}  // namespace vt::CompositionAudio
