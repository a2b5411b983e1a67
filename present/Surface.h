#pragma once
// Off-screen 32-bit surfaces and the canvas the game writes text with.
// Pixels are 0xAARRGGBB (the same layout as QImage::Format_RGB32), one
// std::uint32_t each, rows top to bottom. No toolkit header here, so the map
// drawing can use surfaces without pulling in a window system.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

struct TRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr std::int32_t Width() const { return Right - Left; }
  constexpr std::int32_t Height() const { return Bottom - Top; }
  constexpr bool Empty() const { return Left >= Right || Top >= Bottom; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

// A colour as the game's tables give it: red in the low byte (0x00BBGGRR).
using TColor = std::uint32_t;
constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
// The same colour as a surface pixel (opaque 0xFFRRGGBB).
constexpr std::uint32_t ColorToPixel(TColor c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// A decoded picture: what an image-list item holds before it is cut.
struct TBitmap {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint32_t> Pixels;  // Width * Height, 0xFFRRGGBB
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

class TDirectDrawSurfaceCanvas;

// The parts of a surface written since someone last looked, kept as a few
// rectangles: neighbouring squares drawn row by row merge into bands, and a
// list grown too long becomes its bounding box.
class TChangedAreas {
 public:
  void Add(const TRect& area) {
    // Drawing the same area again, or the next square of a row, is the
    // usual case and is settled here.
    if (!areas_.empty()) {
      TRect& last = areas_.back();
      if (area.Left >= last.Left && area.Right <= last.Right && area.Top >= last.Top && area.Bottom <= last.Bottom)
        return;
      if (area.Top == last.Top && area.Bottom == last.Bottom && area.Left == last.Right) {
        last.Right = area.Right;
        return;
      }
    }
    Merge(area);
  }
  bool Empty() const { return areas_.empty(); }
  std::vector<TRect> Take();

 private:
  void Merge(const TRect& area);
  void JoinLastBand();
  static constexpr std::size_t MaxAreas = 256;
  std::vector<TRect> areas_;
};

// Whether drawing and presentation skip work whose result is already on the
// surface or on the screen. On unless switched off, which tests do to
// compare the two.
void SetSkipUnchanged(bool skip);
bool SkipUnchanged();

// What a drawing that skips unchanged work remembers about a surface's
// pixels; it lives and dies with them.
class TSurfaceMemo {
 public:
  virtual ~TSurfaceMemo() = default;
};

// A surface's pixel memory. A size or a fill that sets every pixel to one
// value is only recorded; the memory is written when the pixels are first
// asked for. A large surface made and remade while a window is being laid
// out then costs nothing until something draws on it: each fresh 4 KB page
// costs a fault when first written.
class TSurfacePixels {
 public:
  void Assign(std::size_t count, std::uint32_t value);
  void Fill(std::uint32_t value) { pending_ = value; }
  std::uint32_t* Data() {
    if (pending_) Write();
    return data_.get();
  }
  const std::uint32_t* Data() const {
    if (pending_) Write();
    return data_.get();
  }
  std::size_t Capacity() const { return capacity_; }

 private:
  void Write() const;
  std::unique_ptr<std::uint32_t[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  mutable std::optional<std::uint32_t> pending_;
};

class TDirectDrawSurface {
 public:
  TDirectDrawSurface();
  TDirectDrawSurface(int width, int height);  // cleared to black
  // The same, in memory a surface gave up with TakeStorage: a start-up sizes
  // and restarts the drawing device more than once, and each fresh buffer of
  // megabytes costs a page fault per 4 KB when it is first cleared.
  TDirectDrawSurface(int width, int height, TSurfacePixels storage);
  ~TDirectDrawSurface();
  TDirectDrawSurface(const TDirectDrawSurface&) = delete;
  TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

  void SetSize(int width, int height);  // contents cleared to black
  // Gives up the pixel memory, leaving the surface empty (0 x 0).
  TSurfacePixels TakeStorage();
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Writing through these may change any pixel, so the whole surface counts
  // as changed.
  std::uint32_t* Bits();
  std::uint32_t* Line(int y);
  const std::uint32_t* Bits() const { return pixels_.Data(); }
  const std::uint32_t* Line(int y) const { return pixels_.Data() + static_cast<std::size_t>(y) * width_; }
  void Fill(std::uint32_t pixel);
  // Fills the part of area that lies on the surface. Filling an area again
  // with the same pixel, when nothing else has written into it since, is
  // skipped: it would change nothing.
  void FillRect(const TRect& area, std::uint32_t pixel);

  // Pixels for drawing routines that report what they write with Touched.
  std::uint32_t* Row(int y) { return pixels_.Data() + static_cast<std::size_t>(y) * width_; }
  void Touched(const TRect& area) {
    const TRect clipped{area.Left > 0 ? area.Left : 0, area.Top > 0 ? area.Top : 0,
                        area.Right < width_ ? area.Right : width_, area.Bottom < height_ ? area.Bottom : height_};
    if (!clipped.Empty()) TouchedInside(clipped);
  }
  // The same for a non-empty area known to lie on the surface.
  void TouchedInside(const TRect& area) {
    changes_.Add(area);
    if (memo_ && !memoDrawing_) otherChanges_.Add(area);
    if (!fills_.empty()) ForgetFills(area);
  }
  // The areas written since the last call (for presentation).
  std::vector<TRect> TakeChanges() { return changes_.Take(); }

  // The memo of a drawing that skips unchanged work, and the areas written
  // since its last look by anything but that drawing.
  TSurfaceMemo* Memo() const { return memo_.get(); }
  void SetMemo(std::unique_ptr<TSurfaceMemo> memo);
  std::vector<TRect> TakeOtherChanges() { return otherChanges_.Take(); }
  // Set while the memo's own drawing writes.
  void SetMemoDrawing(bool drawing) { memoDrawing_ = drawing; }

  // Colour key in this surface's pixel format; pixels equal to it are left
  // out by colour-keyed copies.
  std::uint32_t ColorKey = 0;

  // Made on first use and kept for the surface's life.
  TDirectDrawSurfaceCanvas& Canvas();

 private:
  int width_ = 0;
  int height_ = 0;
  TSurfacePixels pixels_;
  std::unique_ptr<TDirectDrawSurfaceCanvas> canvas_;
  struct TFilled {
    TRect Area;
    std::uint32_t Pixel;
  };
  // Forgets the fills that written overlaps, but those of pixel.
  void ForgetFills(const TRect& written, std::optional<std::uint32_t> pixel = std::nullopt);

  TChangedAreas changes_;
  TChangedAreas otherChanges_;
  std::vector<TFilled> fills_;  // areas still holding nothing but one pixel value
  std::unique_ptr<TSurfaceMemo> memo_;
  bool memoDrawing_ = false;
};

// Text and rectangle copies on a surface, with the ordinary canvas defaults:
// default font in black on an opaque white box. Every use must be followed
// by ReleaseCanvas before the surface is copied or presented.
class TDirectDrawSurfaceCanvas {
 public:
  explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface& surface);
  ~TDirectDrawSurfaceCanvas();
  // Text in Windows-1252 bytes, top-left at (x, y).
  void TextOut(int x, int y, std::string_view text);
  // Plain (unkeyed, unscaled when sizes match) copy of srcRect of src into dest.
  void CopyRect(const TRect& dest, const TDirectDrawSurface& src, const TRect& srcRect);
  void ReleaseCanvas();

 private:
  struct Impl;
  TDirectDrawSurface& surface_;
  std::unique_ptr<Impl> impl_;
};
