#pragma once
// Short-time spectra of a mono stream: overlapping frames windowed by the
// square root of the periodic Hann window (for analysis and synthesis), a
// per-frame step that may return one gain per bin, and overlap-add back to a
// stream aligned with the input. With a hop of n / 4 the windows of four
// frames add up to exactly 2, so a stream whose spectra are left alone comes
// back unchanged (up to rounding).
//
// Scale: FFTW's forward transform is the plain DFT. The power handed to the
// step is |2 X[k]|², twice the DFT's amplitude squared, so that the power and
// the noise estimates built from it keep the magnitudes the cleanup's
// constants (the 1e-12 floor of the noise) were made for. The inverse is
// scaled to match, 1 / (2 n) for the unnormalised FFTW inverse and the window
// sum of 2. Only ratios of powers matter to the noise reduction.
//
// One STFT per pass, used by one thread; feed() may be called with blocks of
// any size and gives the same stream as one call with everything.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vt {

class STFT {
public:
    // `power` holds the half + 1 bins (0 is DC, `half` is Nyquist).
    struct Spectrum {
        const std::vector<float>& power;
    };
    // The frame start is the index in the input stream of the frame's first
    // sample, negative for the first frames (they begin in leading zeros).
    // Returning nothing leaves the frame as it is; gains need half + 1 values.
    using Step = std::function<const std::vector<float>*(const Spectrum&, std::int64_t frameStart)>;

    // n must be a power of two and hop a divisor of it.
    STFT(int n, int hop);
    ~STFT();
    STFT(const STFT&) = delete;
    STFT& operator=(const STFT&) = delete;

    int size() const { return n_; }
    int hop() const { return hop_; }
    int half() const { return n_ / 2; }

    // Takes the next input block; returns the output samples completed so far
    // (output sample k is processed input sample k). Up to n − 1 samples stay
    // inside until more input, or n zeros at the end, push them out.
    std::vector<float> feed(const float* samples, std::size_t count, const Step& step);
    std::vector<float> feed(const std::vector<float>& samples, const Step& step) { return feed(samples.data(), samples.size(), step); }

    // Like feed() for a step that only looks: the frames are analysed and the
    // step called exactly as feed() would, but no output is made.
    void analyze(const float* samples, std::size_t count, const std::function<void(const Spectrum&, std::int64_t)>& step);

private:
    struct Fft;
    int n_;
    int hop_;
    std::unique_ptr<Fft> fft_;
    std::vector<float> window_;
    std::vector<float> power_;
    std::vector<float> pending_;
    std::vector<float> ola_;
    std::size_t consumed_ = 0;
    std::int64_t framesDone_ = 0;
    std::int64_t toDrop_;

    std::int64_t transformNextFrame();  // windows and transforms; gives the frame start
    void synthesize(const std::vector<float>* gains, std::vector<float>& out);
    void compact();
};

}  // namespace vt
