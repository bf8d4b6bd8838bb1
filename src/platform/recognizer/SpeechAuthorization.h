#pragma once
// The user's permission for speech recognition. Linux has no per-program
// speech permission and the recognizer runs entirely on this computer, so the
// answer here is always "authorized" and a request returns at once; callers
// still follow the permission steps so that their flow stays the same.

namespace vt::recognizer {

enum class AuthorizationStatus { notDetermined = 0, denied = 1, restricted = 2, authorized = 3 };

struct SpeechAuthorization {
    static AuthorizationStatus status() { return AuthorizationStatus::authorized; }
    // Asks the user and returns once they answered.
    static void request() {}
};

}  // namespace vt::recognizer
