#include "speech/FailureText.h"

#include "platform/media/MediaError.h"
#include "platform/net/HttpDownload.h"
#include "speech/CaptionError.h"

namespace vt::FailureText {
namespace {

Text ofNetwork(const net::NetError& error)
{
    switch (error.kind) {
    case net::NetError::Kind::offline: return {"No internet connection: the speech model could not be downloaded.", error.what()};
    case net::NetError::Kind::timedOut:
        return {"The connection timed out: the speech model could not be downloaded.", error.what()};
    case net::NetError::Kind::other: break;
    }
    return {"The speech model could not be downloaded.", error.what()};
}

}  // namespace

Text ofDownload(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const net::NetError& e) {
        return ofNetwork(e);
    } catch (const CaptionError& e) {
        // The program's own checks of what arrived (size, header, checksum)
        // already speak the user's language: their reason is the message.
        return {"The speech model could not be downloaded: " + e.payload() + ".", {}};
    } catch (const std::exception& e) {
        return {"The speech model could not be downloaded.", e.what()};
    } catch (...) {
    }
    return {"The speech model could not be downloaded.", {}};
}

Text ofImport(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const CaptionError& e) {
        return {e.what(), {}};  // already said for the user
    } catch (const net::NetError& e) {
        return ofNetwork(e);  // the speech model was fetched for this import
    } catch (const media::MediaError& e) {
        if (e.kind == media::MediaError::Kind::unreadable) return {"This file is not a video that can be read.", e.what()};
        return {"This video could not be imported.", e.what()};
    } catch (const std::exception& e) {
        return {"This video could not be imported.", e.what()};
    } catch (...) {
    }
    return {"This video could not be imported.", {}};
}

}  // namespace vt::FailureText
