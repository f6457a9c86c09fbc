// A bitmap resource as a PNG file, for pictures of dialogs.
#pragma once

#include "win_resource.h"

#include <string>

namespace kz::ui {

// The PNG bytes of a device-independent bitmap (uncompressed, 1, 4, 8, 24 or 32 bits
// per pixel); empty when the bitmap is of another kind or its data is cut short.
std::string bitmapToPng(const BitmapBits& bits);

std::string base64(const std::string& bytes);

} // namespace kz::ui
