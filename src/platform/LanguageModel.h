#pragma once
// The on-device language model that writes hooks and post texts. No such
// model is installed on this computer, so the built-in backend reports
// itself unavailable and every request fails; callers then write by their
// rules. A backend can be installed in its place (tests do), which is the
// one seam through which a real model would come.
//
// Threads: availability() and install() on the main thread; the requests
// block and may run on a worker thread.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vt::LanguageModel {

enum class Unavailable { deviceNotEligible, notEnabled, modelNotReady, other };

struct Availability {
    bool available = false;
    Unavailable reason = Unavailable::deviceNotEligible;  // meaningful only when not available
};

// A failed request; what() is the user-facing description.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A string property of a structured reply, with what the model is asked for.
struct Property {
    std::string name;
    std::string description;
};
struct Schema {
    std::string name;
    std::string description;
    std::vector<Property> properties;  // all plain strings, none optional
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual Availability availability() const = 0;
    // A plain text reply in a fresh session with these instructions.
    virtual std::string respond(const std::string& instructions, const std::string& prompt) = 0;
    // A reply shaped by the schema: property name → value as the model gave
    // it (a property it left out is missing from the map).
    virtual std::map<std::string, std::string> respond(const std::string& instructions, const std::string& prompt,
                                                       const Schema& schema) = 0;
};

Availability availability();
std::string respond(const std::string& instructions, const std::string& prompt);
std::map<std::string, std::string> respond(const std::string& instructions, const std::string& prompt,
                                           const Schema& schema);

// Replaces the backend (null: the built-in unavailable one again).
void install(std::shared_ptr<Backend> backend);

}  // namespace vt::LanguageModel
