#pragma once
// The errors shown to the user by transcription, the speech-model download,
// source probing, composition building and export, each with its fixed
// English text (what() returns it). Four cases carry a text payload.

#include <exception>
#include <string>

namespace vt {

class CaptionError : public std::exception {
public:
    enum class Case {
        localeUnsupported,     // payload: the locale identifier
        exportFailed,          // payload: detail
        onDeviceModelMissing,  // payload: the language's display name
        transcriptionFailed,   // payload: detail
        noVideoTrack,
        noAudioTrack,
        speechUnavailable,
    };

    static CaptionError localeUnsupported(std::string localeID) { return {Case::localeUnsupported, std::move(localeID)}; }
    static CaptionError exportFailed(std::string detail) { return {Case::exportFailed, std::move(detail)}; }
    static CaptionError onDeviceModelMissing(std::string language) { return {Case::onDeviceModelMissing, std::move(language)}; }
    static CaptionError transcriptionFailed(std::string detail) { return {Case::transcriptionFailed, std::move(detail)}; }
    static CaptionError noVideoTrack() { return {Case::noVideoTrack, {}}; }
    static CaptionError noAudioTrack() { return {Case::noAudioTrack, {}}; }
    static CaptionError speechUnavailable() { return {Case::speechUnavailable, {}}; }

    Case kind() const { return case_; }
    const std::string& payload() const { return payload_; }
    // The user-facing text.
    const std::string& message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

    friend bool operator==(const CaptionError& a, const CaptionError& b) { return a.case_ == b.case_ && a.payload_ == b.payload_; }

private:
    CaptionError(Case c, std::string payload);
    Case case_;
    std::string payload_;
    std::string message_;
};

}  // namespace vt
