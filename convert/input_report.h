// Reads the encoder's report on an input ("-i FILE" without an output): the
// streams it found, or why it could not open the file. The text is the
// encoder's, read as untrusted: anything it does not recognise is left out.
#pragma once
#include <string>

#include "profiles/input_details.h"

// The details of the report's first input. The size and time of the file are
// the caller's to fill in; `probed` is set.
InputDetails ReadInputReport(const std::string& report);

// Bit depth and chroma subsampling of a pixel format by its name
// ("yuv420p10le" is 10 bits, 1 and 1); false for a name it does not know.
bool PixelFormatLayout(const std::string& name, int& bitDepth, int& widthShift, int& heightShift);
