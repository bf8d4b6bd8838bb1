#include "platform/LanguageModel.h"

#include <mutex>

namespace vt::LanguageModel {
namespace {

constexpr const char* kMissing = "No on-device language model is installed on this computer.";

class NoModel final : public Backend {
public:
    Availability availability() const override { return {false, Unavailable::deviceNotEligible}; }
    std::string respond(const std::string&, const std::string&) override { throw Error(kMissing); }
    std::map<std::string, std::string> respond(const std::string&, const std::string&, const Schema&) override
    {
        throw Error(kMissing);
    }
};

std::mutex lock;
std::shared_ptr<Backend>& current()
{
    static std::shared_ptr<Backend> backend = std::make_shared<NoModel>();
    return backend;
}

std::shared_ptr<Backend> backend()
{
    std::lock_guard guard(lock);
    return current();
}

}  // namespace

Availability availability() { return backend()->availability(); }

std::string respond(const std::string& instructions, const std::string& prompt)
{
    return backend()->respond(instructions, prompt);
}

std::map<std::string, std::string> respond(const std::string& instructions, const std::string& prompt, const Schema& schema)
{
    return backend()->respond(instructions, prompt, schema);
}

void install(std::shared_ptr<Backend> replacement)
{
    std::lock_guard guard(lock);
    current() = replacement ? std::move(replacement) : std::make_shared<NoModel>();
}

}  // namespace vt::LanguageModel
