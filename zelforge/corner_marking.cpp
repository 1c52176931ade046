#include "corner_marking.h"

#include "platform/bitmap.h"
#include "platform/pen.h"

namespace zelforge {

namespace {

constexpr int32_t kUnset = -1;

// Two arms from the corner, both pointing into the rectangle: dir is +1 for
// the top-left marker (down and right) and -1 for the bottom-right one.
void DrawMarker(NvBitmap &canvas, int32_t x, int32_t y, int32_t dir, uint32_t pixel) {
    platform::DrawLine(canvas, x, y, x, y + dir * kMarkerReach, pixel);
    platform::DrawLine(canvas, x, y, x + dir * kMarkerReach, y, pixel);
}

}  // namespace

bool CornersMakeRectangle(const AuthoringVars &vars) {
    return vars.X1 != kUnset && vars.X2 != kUnset && vars.X1 < vars.X2 && vars.Y1 < vars.Y2;
}

std::optional<bool> MarkingPress(AuthoringVars &vars, platform::PictureHolder &image1,
                                 const platform::PictureHolder &image2, PressedButton button, int32_t x,
                                 int32_t y) {
    if (vars.AuthoringState != AuthoringMode::Marking) return std::nullopt;
    if (button == PressedButton::Left) {
        vars.X1 = x;
        vars.Y1 = y;
    } else if (button == PressedButton::Right) {
        vars.X2 = x;
        vars.Y2 = y;
    }

    // Markers are drawn into the shown picture itself, so every press starts
    // again from the clean copy: that is what erases the markers of earlier
    // presses.
    NvBitmap *canvas = image1.Canvas();
    const NvBitmap *clean = image2.Picture();
    if (canvas != nullptr) {
        if (clean != nullptr) platform::BitBlt(*canvas, 0, 0, image1.Width(), image1.Height(), *clean, 0, 0);
        const uint32_t red = platform::PixelFromColorRef(kMarkerColorRef);
        if (vars.X1 != kUnset) DrawMarker(*canvas, vars.X1, vars.Y1, +1, red);
        if (vars.X2 != kUnset) DrawMarker(*canvas, vars.X2, vars.Y2, -1, red);
    }
    return CornersMakeRectangle(vars);
}

}  // namespace zelforge
