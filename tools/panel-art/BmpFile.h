#pragma once
// Windows bitmap files as the program reads them: 24 bits per pixel, uncompressed,
// bottom-up rows padded to four bytes, no colour table. Written byte for byte the same
// for the same picture, so the set is reproducible.
#include <cstdint>
#include <string>
#include <vector>

class QImage;

namespace PanelArt {

std::vector<std::uint8_t> EncodeBmp24(const QImage& image);

// Throws EFCreateError when the file cannot be written.
void WriteBmp24(const QImage& image, const std::string& path);

}  // namespace PanelArt
