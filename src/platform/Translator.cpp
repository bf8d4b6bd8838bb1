#include "platform/Translator.h"

namespace vt::Translator {
namespace {

class NoTranslator final : public Backend {
public:
    bool installed() const override { return false; }
    Status status(const std::string&, const std::string&) const override { return Status::unsupported; }
    void prepare(const std::optional<std::string>&, const std::string&) override { throw Error(notInstalled); }
    std::vector<Response> translate(const std::optional<std::string>&, const std::string&, const std::vector<Request>&) override
    {
        throw Error(notInstalled);
    }
};

std::shared_ptr<Backend>& current()
{
    static std::shared_ptr<Backend> value = std::make_shared<NoTranslator>();
    return value;
}

}  // namespace

std::shared_ptr<Backend> backend() { return current(); }

void install(std::shared_ptr<Backend> replacement)
{
    current() = replacement ? std::move(replacement) : std::make_shared<NoTranslator>();
}

}  // namespace vt::Translator
