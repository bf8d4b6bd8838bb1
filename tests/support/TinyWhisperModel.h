#pragma once
// A whisper.cpp model small enough to make at test time (about 8 MB): the
// magic, mel filters and full multilingual vocabulary of the shared
// vocabulary-only fixture, with hyper-parameters shrunk to a state of 64, one
// head and one layer in encoder and decoder, and seeded random weights of
// the shapes whisper.cpp's loader expects (2-D weights and convolution
// kernels in F16, biases, layer norms and positional embeddings in F32).
// whisper.cpp loads and runs it for real; what it transcribes is nonsense.

#include <cstdint>
#include <filesystem>

namespace vt::test {

// Writes the model to `out`; throws std::runtime_error when the vocabulary
// fixture cannot be read.
void writeTinyWhisperModel(const std::filesystem::path& out, std::uint32_t seed = 1);

}  // namespace vt::test
