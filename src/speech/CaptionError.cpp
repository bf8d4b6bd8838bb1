#include "speech/CaptionError.h"

namespace vt {

namespace {

std::string messageFor(CaptionError::Case c, const std::string& payload)
{
    using Case = CaptionError::Case;
    switch (c) {
    case Case::localeUnsupported:
        return "On-device transcription doesn't support " + payload + " yet.";
    case Case::exportFailed:
        return "Export failed: " + payload;
    case Case::onDeviceModelMissing:
        return "This computer hasn't installed its on-device speech model for " + payload +
               ". Install the speech model for that language, or switch to the Whisper engine.";
    case Case::transcriptionFailed:
        return "The on-device speech engine couldn't transcribe this audio (" + payload + ").";
    case Case::noVideoTrack:
        return "This file has no video track.";
    case Case::noAudioTrack:
        return "This file has no audio to transcribe.";
    case Case::speechUnavailable:
        return "On-device speech transcription isn't available on this computer.";
    }
    return {};
}

}  // namespace

CaptionError::CaptionError(Case c, std::string payload)
    : case_(c), payload_(std::move(payload)), message_(messageFor(case_, payload_))
{
}

}  // namespace vt
