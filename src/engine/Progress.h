#pragma once

#include <cstddef>
#include <functional>

namespace tarvex {

// Told how far a long computation has come; answers false when the player has cancelled,
// and the computation then stops at once with what it has.
using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

} // namespace tarvex
