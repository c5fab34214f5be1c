// The built-in skin: the design the window wears whenever no skin file has been loaded.
#pragma once

#include "image/skin_image.h"

namespace image {

// The 131 x 70 built-in skin, drawn by code: grey 1-pixel lines and glyphs on white and light grey, the
// thumb's light-blue gradient, and teal wherever the frame never reads.
TSkinImage BuiltInSkin();

}  // namespace image
