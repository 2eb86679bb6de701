#pragma once
// The desktop runtime reads every value through a 260-byte buffer, so a composed value
// longer than 259 cp936 bytes would reach it cut. Saving refuses such a value instead.

#include <optional>
#include <string>

struct ArearConfig;

inline constexpr std::size_t kRuntimeValueLimit = 259;

// The message naming the first value of the area that the runtime could not read whole,
// or nullopt when every value fits.
std::optional<std::string> overlongValue(const ArearConfig& area);
