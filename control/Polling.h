// The scheduler's tick period while syncing is on and no cycle runs.
#pragma once

namespace control {
inline constexpr int kPollMilliseconds = 5000;
}  // namespace control
