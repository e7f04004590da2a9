// A PNG file of an RGB picture, written without a codec of the platform: wine's image codecs
// depend on libraries of the host. The image data is stored, not compressed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace adjustui::winsupport {

// `rgb` holds `height` rows of `width` pixels, top row first, three bytes a pixel. Empty when
// the sizes do not match the data or exceed what one PNG holds.
std::vector<std::uint8_t> EncodePng(std::uint32_t width, std::uint32_t height,
                                    std::span<const std::uint8_t> rgb);

}  // namespace adjustui::winsupport
