#pragma once
// What a failure of the speech-model download or of an import tells the
// user: a sentence in the program's own words, and the libraries' account of
// it for the details. Cancellations are the caller's to sort out first.

#include <exception>
#include <string>

namespace vt::FailureText {

struct Text {
    std::string message;
    std::string detail;  // empty when the message says it all
};

Text ofDownload(std::exception_ptr error);
Text ofImport(std::exception_ptr error);

}  // namespace vt::FailureText
