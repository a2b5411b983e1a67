#include "view/MarkerOutline.h"

namespace {
// A frame of the given width just inside `square`.
void FillRing(TDirectDrawSurface& surface, const TRect& square, int width, std::uint32_t pixel) {
  surface.FillRect({square.Left, square.Top, square.Right, square.Top + width}, pixel);
  surface.FillRect({square.Left, square.Bottom - width, square.Right, square.Bottom}, pixel);
  surface.FillRect({square.Left, square.Top + width, square.Left + width, square.Bottom - width}, pixel);
  surface.FillRect({square.Right - width, square.Top + width, square.Right, square.Bottom - width}, pixel);
}
}  // namespace

void DrawMarkerOutline(TDirectDrawSurface& surface, const TRect& square, int tileSize) {
  const int width = MarkerOutlineWidth(tileSize);
  FillRing(surface, square, width, MarkerOutlineDark);
  const TRect inner{square.Left + width, square.Top + width, square.Right - width, square.Bottom - width};
  FillRing(surface, inner, width, MarkerOutlineLight);
}
