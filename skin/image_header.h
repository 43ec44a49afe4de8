// The pixel size a picture file states in its header, read without decoding
// it, so that a picture too large to draw is refused before any decoder
// allocates for it.
#pragma once
#include <cstddef>
#include <cstdint>

// PNG, BMP, GIF, JPEG and icon files: true and the size when the bytes are
// one of these and hold the size; false otherwise (also for a header cut
// short, or a JPEG whose frame header does not come before its scan).
bool ReadImageHeaderSize(const uint8_t* data, size_t size, int64_t& width, int64_t& height);
