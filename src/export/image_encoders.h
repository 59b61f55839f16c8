#pragma once
// Encoders of raster pictures into file bytes: JPEG with libjpeg at its default settings, and
// uncompressed 24-bit BMP.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

/// JPEG of the image, libjpeg's defaults (no setting changed). Empty on failure, with the
/// library's message in error.
std::vector<uint8_t> EncodeJpeg(const QImage& image, std::string* error = nullptr);
/// A BITMAPINFOHEADER bitmap, 24 bits per pixel, rows bottom-up.
std::vector<uint8_t> EncodeBmp(const QImage& image);

}  // namespace kestrel
