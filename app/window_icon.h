#pragma once
#include <cstdint>
#include <span>

#include "support/handles.h"

namespace corvane {

// The window icon PNG linked into the executable (generated from app/assets at build time).
extern const std::uint8_t WindowIconPng[];
extern const std::size_t WindowIconPngSize;

// The icon made from a PNG (the embedded one by default), or none when anything fails: the window
// then simply has no icon of its own.
SharedIcon load_window_icon(std::span<const std::uint8_t> png = {WindowIconPng, WindowIconPngSize});

}  // namespace corvane
