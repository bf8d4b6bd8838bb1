#pragma once
// Encodes the edited video into a file: every frame of the composed picture
// and the mixed sound, with the resolved settings, into an MPEG-4 video; or
// the mixed sound alone into an M4A file.
//
// The picture and the sound are pumped on two threads of their own ("video"
// and "audio"; the frames are composed ahead on a few more, see
// FramePipeline) and joined at the end; they share only the job's cancel
// and failure flags, under one lock. The call blocks until the file is complete;
// run it off the main thread. `progress` is called from the pumping threads
// (never reaching 1 while frames are written) and once with exactly 1.0 on
// success.
//
// The target is written only when complete: until then the file grows
// beside it under a hidden name. On failure or cancel nothing is left there
// and a file already at the target is untouched.
//
// Errors: CaptionError::exportFailed with the encoder's, reader's or
// writer's message; CaptionError::noAudioTrack for an audio-only export of a
// mix without sound; CancellationError when `cancel` is cancelled.

#include "export/ExportSettings.h"
#include "export/ExportSources.h"
#include "platform/Cancellation.h"

#include <filesystem>
#include <functional>

namespace vt::Exporter {

using Progress = std::function<void(double fraction)>;

// `audio` may be null, or without sound: the file then has no audio track.
// Frames are composed ahead of the encoder on `composeWorkers` threads (0:
// as many as suit this machine; 1: one frame after the other); the file is
// the same whatever their number.
void exportVideo(ComposedVideo& video, MixedAudio* audio, const ExportSettings::Resolved& settings,
                 const std::filesystem::path& to, const Progress& progress, const CancelToken& cancel,
                 int composeWorkers = 0);

void exportAudio(MixedAudio& audio, const std::filesystem::path& to, const Progress& progress,
                 const CancelToken& cancel);

}  // namespace vt::Exporter
