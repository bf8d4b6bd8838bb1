#pragma once
// A media file seen for its audio: how many audio tracks it has and the export
// of its first audio track as AAC in an MPEG-4 audio (.m4a) file, the one
// audio file every speech path and the audio cleanup read. Not thread-safe.

#include "platform/Cancellation.h"

#include <filesystem>
#include <memory>

namespace vt::media {

class AudioAsset {
public:
    // Opens the file and reads its stream information. Throws MediaError when
    // it is not a readable media file.
    explicit AudioAsset(const std::filesystem::path& file);
    ~AudioAsset();
    AudioAsset(const AudioAsset&) = delete;
    AudioAsset& operator=(const AudioAsset&) = delete;

    int audioTrackCount() const;
    // True when the first audio track can be decoded, so it can be exported.
    bool canExportM4A() const;

    // Call once per asset. Writes the first audio track, from the start of
    // the file to its end, to `out` (which must not exist yet): AAC as it
    // is, any other sound encoded as AAC at the track's own rate, as mono or
    // stereo. A track that starts after the file does (by 10 ms or more) is
    // encoded behind as much silence, so times in `out` are times in the
    // file. A track that ends before the length its file states (a file cut
    // short) is a failure, not the end of the sound. Throws MediaError on
    // any failure and CancellationError when `cancel` is cancelled; in both
    // cases no file is left at `out`.
    void exportM4A(const std::filesystem::path& out, const CancelToken& cancel = CancelToken()) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
