#include "app/ProcessingState.h"

#include <utility>

namespace vt {

void ProcessingState::update(std::string newPhase, double newFraction)
{
    static constexpr std::array<std::pair<std::string_view, int>, 4> kSteps{
        {{"Extracting", 0}, {"Downloading", 1}, {"Transcribing", 2}, {"Tracking", 3}}};
    phase = std::move(newPhase);
    fraction = newFraction;
    for (const auto& [prefix, index] : kSteps) {
        if (phase.starts_with(prefix)) {
            step = index;
            return;
        }
    }
}

}  // namespace vt
