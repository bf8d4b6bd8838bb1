#include "audio/STFT.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>
#include <stdexcept>

namespace vt {

namespace {

// FFTW's planner is not thread-safe (executing a plan is); cleanups and
// benchmarks may make STFTs on several threads at once.
std::mutex& plannerLock()
{
    static std::mutex lock;
    return lock;
}

// Input beyond this many consumed samples is dropped from `pending_`, so the
// copy is rare while memory stays bounded.
constexpr std::size_t compactAfter = 65'536;

}  // namespace

struct STFT::Fft {
    float* frame = nullptr;         // n windowed samples, also the inverse's output
    fftwf_complex* bins = nullptr;  // n / 2 + 1
    fftwf_plan forward = nullptr;
    fftwf_plan inverse = nullptr;

    explicit Fft(int n)
    {
        std::lock_guard guard(plannerLock());
        frame = fftwf_alloc_real(static_cast<std::size_t>(n));
        bins = fftwf_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
        if (frame && bins) {
            forward = fftwf_plan_dft_r2c_1d(n, frame, bins, FFTW_ESTIMATE);
            inverse = fftwf_plan_dft_c2r_1d(n, bins, frame, FFTW_ESTIMATE);
        }
        if (!forward || !inverse) {
            release();
            throw std::runtime_error("Couldn't set up the FFT.");
        }
    }
    ~Fft()
    {
        std::lock_guard guard(plannerLock());
        release();
    }
    void release()
    {
        if (forward) fftwf_destroy_plan(forward);
        if (inverse) fftwf_destroy_plan(inverse);
        fftwf_free(frame);
        fftwf_free(bins);
        forward = inverse = nullptr;
        frame = nullptr;
        bins = nullptr;
    }
};

STFT::STFT(int n, int hop) : n_(n), hop_(hop), toDrop_(n - hop)
{
    if (n < 4 || (n & (n - 1)) != 0 || hop <= 0 || n % hop != 0) throw std::invalid_argument("STFT needs a power-of-two frame and a hop dividing it");
    fft_ = std::make_unique<Fft>(n);
    window_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        window_[static_cast<std::size_t>(i)] = static_cast<float>(std::sqrt(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n)));
    power_.resize(static_cast<std::size_t>(n / 2 + 1));
    pending_.assign(static_cast<std::size_t>(n - hop), 0.0f);
    ola_.assign(static_cast<std::size_t>(n), 0.0f);
}

STFT::~STFT() = default;

std::int64_t STFT::transformNextFrame()
{
    const float* in = pending_.data() + consumed_;
    for (int i = 0; i < n_; ++i) fft_->frame[i] = in[i] * window_[static_cast<std::size_t>(i)];
    fftwf_execute(fft_->forward);
    // |2 X|²: see the header for why the power keeps twice the DFT's scale.
    for (int k = 0; k <= half(); ++k) {
        const float re = fft_->bins[k][0];
        const float im = fft_->bins[k][1];
        power_[static_cast<std::size_t>(k)] = 4.0f * (re * re + im * im);
    }
    const std::int64_t start = framesDone_ * hop_ + hop_ - n_;
    ++framesDone_;
    return start;
}

void STFT::synthesize(const std::vector<float>* gains, std::vector<float>& out)
{
    if (gains) {
        for (int k = 0; k <= half(); ++k) {
            const float g = (*gains)[static_cast<std::size_t>(k)];
            fft_->bins[k][0] *= g;
            fft_->bins[k][1] *= g;
        }
    }
    fftwf_execute(fft_->inverse);
    const float scale = 1.0f / (2.0f * static_cast<float>(n_));
    for (int i = 0; i < n_; ++i) ola_[static_cast<std::size_t>(i)] += fft_->frame[i] * scale * window_[static_cast<std::size_t>(i)];
    out.insert(out.end(), ola_.begin(), ola_.begin() + hop_);
    std::memmove(ola_.data(), ola_.data() + hop_, static_cast<std::size_t>(n_ - hop_) * sizeof(float));
    std::fill(ola_.end() - hop_, ola_.end(), 0.0f);
}

void STFT::compact()
{
    if (consumed_ > compactAfter) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(consumed_));
        consumed_ = 0;
    }
}

std::vector<float> STFT::feed(const float* samples, std::size_t count, const Step& step)
{
    pending_.insert(pending_.end(), samples, samples + count);
    std::vector<float> out;
    const auto n = static_cast<std::size_t>(n_);
    while (pending_.size() - consumed_ >= n) {
        const std::int64_t start = transformNextFrame();
        synthesize(step ? step(Spectrum{power_}, start) : nullptr, out);
        consumed_ += static_cast<std::size_t>(hop_);
    }
    compact();
    if (toDrop_ >= 1) {
        const auto d = std::min<std::int64_t>(static_cast<std::int64_t>(out.size()), toDrop_);
        toDrop_ -= d;
        out.erase(out.begin(), out.begin() + d);
    }
    return out;
}

void STFT::analyze(const float* samples, std::size_t count, const std::function<void(const Spectrum&, std::int64_t)>& step)
{
    pending_.insert(pending_.end(), samples, samples + count);
    const auto n = static_cast<std::size_t>(n_);
    while (pending_.size() - consumed_ >= n) {
        const std::int64_t start = transformNextFrame();
        step(Spectrum{power_}, start);
        consumed_ += static_cast<std::size_t>(hop_);
    }
    compact();
}

}  // namespace vt
