// Writes RGB pixels as a PNG file (stored, uncompressed deflate blocks), so
// the renderings of the painting tests can be looked at.
#pragma once

#include <string>
#include <vector>

#include "widgets/core/colour.h"

namespace widgets::testing {

// Top row first. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<Rgb>& pixels);

}  // namespace widgets::testing
