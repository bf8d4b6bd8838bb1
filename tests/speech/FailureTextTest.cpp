#include "speech/FailureText.h"

#include "platform/media/MediaError.h"
#include "platform/net/HttpDownload.h"
#include "speech/CaptionError.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// Each failure reads in the program's words; the libraries' text stays for the details.
TEST(FailureText, DownloadAndImportFailuresSayWhatHappened)
{
    using net::NetError;
    using media::MediaError;
    const auto offline = std::make_exception_ptr(NetError("The download failed: Could not resolve host: x.", NetError::Kind::offline));
    const auto slow = std::make_exception_ptr(NetError("The download failed: Operation timed out.", NetError::Kind::timedOut));
    const auto reset = std::make_exception_ptr(NetError("The download failed: Connection reset.", NetError::Kind::other));
    const auto invalid = std::make_exception_ptr(
        MediaError("Couldn't open the file: Invalid data found when processing input", MediaError::Kind::unreadable));
    const auto missing = std::make_exception_ptr(MediaError("Couldn't open the file: No such file or directory"));
    const auto silent = std::make_exception_ptr(CaptionError::noAudioTrack());
    const auto odd = std::make_exception_ptr(std::runtime_error("bad_alloc somewhere"));

    struct Case {
        FailureText::Text text;
        std::string message;
        std::string detail;
    };
    const Case cases[] = {
        {FailureText::ofDownload(offline), "No internet connection: the speech model could not be downloaded.",
         "The download failed: Could not resolve host: x."},
        {FailureText::ofDownload(slow), "The connection timed out: the speech model could not be downloaded.",
         "The download failed: Operation timed out."},
        {FailureText::ofDownload(reset), "The speech model could not be downloaded.", "The download failed: Connection reset."},
        {FailureText::ofDownload(odd), "The speech model could not be downloaded.", "bad_alloc somewhere"},
        {FailureText::ofImport(offline), "No internet connection: the speech model could not be downloaded.",
         "The download failed: Could not resolve host: x."},
        {FailureText::ofImport(invalid), "This file is not a video that can be read.",
         "Couldn't open the file: Invalid data found when processing input"},
        {FailureText::ofImport(missing), "This video could not be imported.", "Couldn't open the file: No such file or directory"},
        {FailureText::ofImport(silent), "This file has no audio to transcribe.", ""},
        {FailureText::ofImport(odd), "This video could not be imported.", "bad_alloc somewhere"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text.message, c.message);
        EXPECT_EQ(c.text.detail, c.detail) << c.message;
    }
}

}  // namespace
}  // namespace vt
