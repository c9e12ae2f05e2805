#ifndef QUARNEL_UI_WIN32_ART_H_
#define QUARNEL_UI_WIN32_ART_H_

#include <string_view>

#include "platform/windows_include.h"

namespace quarnel {

// The pictures of ui/art/, built into the program as resources (art.rc.in)
// and decoded with WIC once, on first use; they live as long as the
// process. REQUIRES: COM is initialised on the calling thread.

// Draws the picture `name` ("form1_skin", "pin", ...) into `target`, in
// device pixels: the double-density picture when the window's dots per
// inch are above 96, scaled to fit. Alpha is honoured. False when the
// picture cannot be had (which a test reports; a user sees a blank).
bool DrawArt(HDC dc, std::string_view name, const RECT& target, UINT dpi);

// LinkPointer: the arrow mirrored left to right, hot spot (31, 0). Null
// when the picture cannot be had; callers fall back to the arrow.
HCURSOR LinkPointer();

// The program's window icon for `size` pixels square: the 32-pixel
// picture up to 32, the 64-pixel one above. Shared; never destroy it.
HICON QuarnelIcon(int size);

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_ART_H_
