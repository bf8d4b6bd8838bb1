#include "support/TinyWhisperModel.h"

#include "support/TestSupport.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace vt::test {

namespace {

constexpr std::int32_t state = 64;
constexpr std::int32_t audioContext = 1500;
constexpr std::int32_t textContext = 448;
constexpr std::int32_t mels = 80;
constexpr std::int32_t f32 = 0;
constexpr std::int32_t f16 = 1;

std::uint16_t toHalf(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t sign = (bits >> 16) & 0x8000u;
    const int exponent = int((bits >> 23) & 0xFF) - 127 + 15;
    std::uint32_t mantissa = bits & 0x7FFFFFu;
    if (exponent <= 0) {  // tiny values become (signed) zero or a subnormal
        if (exponent < -10) return static_cast<std::uint16_t>(sign);
        mantissa = (mantissa | 0x800000u) >> (1 - exponent);
        return static_cast<std::uint16_t>(sign | ((mantissa + 0x1000u) >> 13));
    }
    if (exponent >= 31) return static_cast<std::uint16_t>(sign | 0x7C00u);
    return static_cast<std::uint16_t>(sign | (std::uint32_t(exponent) << 10) | ((mantissa + 0x1000u) >> 13));
}

class Writer {
public:
    Writer(const std::filesystem::path& out, std::uint32_t seed) : out_(out, std::ios::binary), random_(seed)
    {
        if (!out_) throw std::runtime_error("cannot write " + out.string());
    }

    void raw(const void* data, std::size_t size) { out_.write(static_cast<const char*>(data), std::streamsize(size)); }
    void i32(std::int32_t v) { raw(&v, sizeof v); }

    enum class Fill { random, ones, zeros };

    void tensor(const std::string& name, std::vector<std::int32_t> shape, std::int32_t type, Fill fill = Fill::random)
    {
        i32(std::int32_t(shape.size()));
        i32(std::int32_t(name.size()));
        i32(type);
        std::size_t count = 1;
        for (auto n : shape) {
            i32(n);
            count *= std::size_t(n);
        }
        raw(name.data(), name.size());
        std::normal_distribution<float> normal(0.0f, 0.05f);
        const auto value = [&] { return fill == Fill::ones ? 1.0f : fill == Fill::zeros ? 0.0f : normal(random_); };
        if (type == f16) {
            std::vector<std::uint16_t> data(count);
            for (auto& h : data) h = toHalf(value());
            raw(data.data(), data.size() * sizeof(std::uint16_t));
        } else {
            std::vector<float> data(count);
            for (auto& f : data) f = value();
            raw(data.data(), data.size() * sizeof(float));
        }
    }

    void norm(const std::string& prefix)
    {
        tensor(prefix + ".weight", {state}, f32, Fill::ones);
        tensor(prefix + ".bias", {state}, f32, Fill::zeros);
    }

    void attention(const std::string& prefix)
    {
        tensor(prefix + ".query.weight", {state, state}, f16);
        tensor(prefix + ".query.bias", {state}, f32);
        tensor(prefix + ".key.weight", {state, state}, f16);
        tensor(prefix + ".value.weight", {state, state}, f16);
        tensor(prefix + ".value.bias", {state}, f32);
        tensor(prefix + ".out.weight", {state, state}, f16);
        tensor(prefix + ".out.bias", {state}, f32);
    }

    void block(const std::string& prefix, bool cross)
    {
        norm(prefix + ".mlp_ln");
        tensor(prefix + ".mlp.0.weight", {state, 4 * state}, f16);
        tensor(prefix + ".mlp.0.bias", {4 * state}, f32);
        tensor(prefix + ".mlp.2.weight", {4 * state, state}, f16);
        tensor(prefix + ".mlp.2.bias", {state}, f32);
        norm(prefix + ".attn_ln");
        attention(prefix + ".attn");
        if (cross) {
            norm(prefix + ".cross_attn_ln");
            attention(prefix + ".cross_attn");
        }
    }

    bool good() const { return bool(out_); }

private:
    std::ofstream out_;
    std::mt19937 random_;
};

std::int32_t readI32(const std::string& bytes, std::size_t at)
{
    if (at + 4 > bytes.size()) throw std::runtime_error("the whisper vocabulary fixture is too short");
    std::int32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

}  // namespace

void writeTinyWhisperModel(const std::filesystem::path& out, std::uint32_t seed)
{
    const std::string source = readFile(sharedFixture("whisper-tiny-vocab-only.bin"));
    // magic, 11 hyper-parameters, then mel filters and the vocabulary.
    const std::int32_t vocabularySize = readI32(source, 4);
    std::size_t at = 4 + 11 * 4;
    const std::int32_t filterMels = readI32(source, at), filterFft = readI32(source, at + 4);
    at += 8 + std::size_t(filterMels) * std::size_t(filterFft) * 4;
    const std::int32_t tokens = readI32(source, at);
    at += 4;
    for (std::int32_t i = 0; i < tokens; ++i) at += 4 + std::size_t(std::uint32_t(readI32(source, at)));
    if (at > source.size()) throw std::runtime_error("the whisper vocabulary fixture is cut short");

    Writer w(out, seed);
    w.raw(source.data(), 4);  // magic
    for (std::int32_t v : {vocabularySize, audioContext, state, 1, 1, textContext, state, 1, 1, mels, f16}) w.i32(v);
    w.raw(source.data() + 4 + 11 * 4, at - (4 + 11 * 4));  // mel filters and vocabulary, unchanged

    w.tensor("encoder.positional_embedding", {state, audioContext}, f32);
    w.tensor("encoder.conv1.weight", {3, mels, state}, f16);
    w.tensor("encoder.conv1.bias", {1, state}, f32);
    w.tensor("encoder.conv2.weight", {3, state, state}, f16);
    w.tensor("encoder.conv2.bias", {1, state}, f32);
    w.norm("encoder.ln_post");
    w.block("encoder.blocks.0", false);
    w.tensor("decoder.positional_embedding", {state, textContext}, f32);
    w.tensor("decoder.token_embedding.weight", {state, vocabularySize}, f16);
    w.norm("decoder.ln");
    w.block("decoder.blocks.0", true);
    if (!w.good()) throw std::runtime_error("cannot write " + out.string());
}

}  // namespace vt::test
