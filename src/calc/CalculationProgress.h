#pragma once
// How a long calculation tells its caller how far it got and learns that it is to
// stop. The user interface implements it (a progress bar with a cancel button).

#include <cstdint>

namespace lumivar {

class CalculationProgress {
public:
    virtual ~CalculationProgress() = default;

    // done of total units of work are finished. Called only on the thread that
    // started the calculation, between pieces of work, and once more at the end.
    // Returning false cancels: the calculation stops soon and reports it.
    virtual bool Report(std::int64_t done, std::int64_t total) = 0;
};

// The message of a calculation stopped through its progress hook.
inline constexpr const char* kCalculationCancelled = "Cálculo interrompido.";

} // namespace lumivar
