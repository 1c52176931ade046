#pragma once
#include <cstdint>
#include <optional>

#include "authoring_vars.h"
#include "platform/picture_holder.h"

namespace zelforge {

enum class PressedButton { Left, Right, Other };

// Arm length of a corner marker in the class library's pen terms: a line
// towards a point 31 pixels away, which covers 31 pixels with the corner.
inline constexpr int32_t kMarkerReach = 31;
// The marker pen: red in the class library's 0x00BBGGRR encoding.
inline constexpr uint32_t kMarkerColorRef = 0x0000FF;

// OK may record only a proper rectangle: both corners set, the top-left one
// strictly left of and strictly above the bottom-right one.
[[nodiscard]] bool CornersMakeRectangle(const AuthoringVars &vars);

// One mouse press on the shown picture. Outside Marking nothing happens and
// the result is empty. In Marking, the left button sets the top-left corner,
// the right button the bottom-right one, others neither; then the shown
// picture is redrawn from the clean update image with the marker of each set
// corner, and the result says whether OK is to be enabled.
[[nodiscard]] std::optional<bool> MarkingPress(AuthoringVars &vars, platform::PictureHolder &image1,
                                               const platform::PictureHolder &image2, PressedButton button,
                                               int32_t x, int32_t y);

}  // namespace zelforge
