#include "platform/net/Sha1.h"

#include <QCryptographicHash>

#include <fstream>
#include <vector>

namespace vt::net {

struct Sha1::State {
    QCryptographicHash hash{QCryptographicHash::Sha1};
};

Sha1::Sha1() : state_(std::make_unique<State>()) {}
Sha1::~Sha1() = default;

void Sha1::add(std::string_view bytes) { state_->hash.addData(QByteArrayView(bytes.data(), qsizetype(bytes.size()))); }

std::string Sha1::hex() const { return state_->hash.result().toHex().toStdString(); }

std::optional<std::string> fileSha1(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    Sha1 digest;
    std::vector<char> buffer(std::size_t(1) << 20);
    while (in) {
        in.read(buffer.data(), std::streamsize(buffer.size()));
        digest.add(std::string_view(buffer.data(), std::size_t(in.gcount())));
    }
    if (!in.eof()) return std::nullopt;
    return digest.hex();
}

}  // namespace vt::net
