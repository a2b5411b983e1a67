#include "present/DXImageList.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "present/PixelPaths.h"

// The part of a destination rectangle that lies on the surface.
struct TPatternClip {
  int X, Y, Width, Height;
  std::int64_t SkipX, SkipY;  // may exceed 32 bits for far off-surface rectangles
};

struct TPictureCollectionItem::Pattern {
  TRect Rect;                    // in the coordinates of Surface
  TDirectDrawSurface* Surface;   // owned by the item
};

namespace {
// Largest destination rectangle, in pixels, whose scaled pattern is kept.
constexpr std::int64_t KeptPixels = 256 * 256;

std::uint32_t NextStamp() {
  static std::uint32_t stamp = 0;
  return ++stamp;
}
}  // namespace

// A pattern at one drawn size, made on first use: its pixels side by side,
// and which of its rows hold the colour key. Rows that are all key are left
// out, rows without it are copied, and only the band of rows between them
// compares each pixel with the key: most ground patterns are solid, and
// most features have the key only in some of their rows.
struct TKeptPattern {
  std::vector<std::uint32_t> Pixels;  // empty until made
  // Rows before Bands.SolidTop and from Bands.SolidBottom on are all key;
  // rows from KeyTop to before KeyBottom are those that may hold the key.
  TRowBands Bands{};
};

struct TPictureCollectionItem::TKeptSize {
  int Width = 0;
  int Height = 0;
  std::vector<TKeptPattern> Patterns;  // by pattern index
};

// Patterns kept at the sizes they are drawn at until the patterns are cut
// again or get a new colour key, so a frame only copies pixels.
struct TPictureCollectionItem::Cache {
  static constexpr std::size_t MaxSizes = 8;
  Cache() { Sizes.reserve(MaxSizes); }  // pointers to sizes stay valid as sizes are added
  std::vector<TKeptSize> Sizes;
  std::vector<std::uint32_t> Scratch;  // for sizes beyond what is kept
};

namespace {

// Nearest source pixel of destination position i out of n, sampling the
// centre of each destination pixel.
inline int NearestIndex(std::int64_t i, std::int64_t sourceLength, std::int64_t destLength) {
  return static_cast<int>((i * 2 + 1) * sourceLength / (2 * destLength));
}

// The part of rect (destLength wide and high) from skip on, width x height of
// it, scaled from the pattern rectangle into out.
void ScalePart(const TDirectDrawSurface& surface, const TRect& rect, std::int64_t destWidth,
               std::int64_t destHeight, std::int64_t skipX, std::int64_t skipY, int width, int height,
               std::uint32_t* out) {
  std::vector<int> columns(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) columns[x] = rect.Left + NearestIndex(skipX + x, rect.Width(), destWidth);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = surface.Line(rect.Top + NearestIndex(skipY + y, rect.Height(), destHeight));
    std::uint32_t* to = out + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) to[x] = from[columns[x]];
  }
}

void FindKeyedRows(TKeptPattern& kept, int width, int height, std::uint32_t key) {
  const auto rowHas = [&](int y, bool wantKey) {
    const std::uint32_t* row = kept.Pixels.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x)
      if ((row[x] == key) == wantKey) return true;
    return false;
  };
  TRowBands& r = kept.Bands;
  r.SolidTop = 0;
  while (r.SolidTop < height && !rowHas(r.SolidTop, false)) ++r.SolidTop;
  r.SolidBottom = height;
  while (r.SolidBottom > r.SolidTop && !rowHas(r.SolidBottom - 1, false)) --r.SolidBottom;
  r.KeyTop = r.SolidTop;
  while (r.KeyTop < r.SolidBottom && !rowHas(r.KeyTop, true)) ++r.KeyTop;
  r.KeyBottom = r.SolidBottom;
  while (r.KeyBottom > r.KeyTop && !rowHas(r.KeyBottom - 1, true)) --r.KeyBottom;
}

// Draws rows [from, to) of a kept pattern; block starts at row from of it.
void DrawKeptRows(const TPixelRoutines& routines, const TPixelBlock& block, const TKeptPattern& kept, int from,
                  int to, bool transparent, std::uint32_t key) {
  const auto at = [&](int row) { return std::clamp(row, from, to) - from; };
  const TRowBands& r = kept.Bands;
  const TRowBands bands = transparent ? TRowBands{at(r.SolidTop), at(r.KeyTop), at(r.KeyBottom), at(r.SolidBottom)}
                                      : TRowBands{0, to - from, to - from, to - from};
  routines.Bands(block, bands, key);
}

bool ClipToSurface(const TDirectDrawSurface& dest, const TRect& rect, TPatternClip& clip) {
  const int x0 = std::max(rect.Left, 0), y0 = std::max(rect.Top, 0);
  const int x1 = std::min(rect.Right, dest.Width()), y1 = std::min(rect.Bottom, dest.Height());
  if (x0 >= x1 || y0 >= y1) return false;
  clip = {x0, y0, x1 - x0, y1 - y0, std::int64_t{x0} - rect.Left, std::int64_t{y0} - rect.Top};
  return true;
}

TPixelBlock BlockOf(TDirectDrawSurface& dest, const TPatternClip& clip, const std::uint32_t* from, int fromStride) {
  return {dest.Row(clip.Y) + clip.X,
          dest.Width(),
          from + static_cast<std::size_t>(clip.SkipY) * fromStride + static_cast<std::size_t>(clip.SkipX),
          fromStride,
          clip.Width,
          clip.Height};
}

// A destination rectangle too large to keep a scaled copy of (a huge zoom, or
// coordinates far off the surface) scales only its visible part, so the cost
// follows what is shown and never the rectangle's size.
bool IsKeptSize(const TRect& destRect) {
  const std::int64_t w = std::int64_t{destRect.Right} - destRect.Left;
  const std::int64_t h = std::int64_t{destRect.Bottom} - destRect.Top;
  return w <= KeptPixels && h <= KeptPixels && w * h <= KeptPixels;
}

}  // namespace

// ---------------------------------------------------------------------------
// TPictureCollectionItem

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& collection)
    : collection_(collection), key_(ColorToPixel(0)), stamp_(NextStamp()), cache_(std::make_unique<Cache>()) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::ForgetKept() {
  *cache_ = Cache{};
  last_ = nullptr;
  stamp_ = NextStamp();
}

void TPictureCollectionItem::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  key_ = ColorToPixel(color);
  for (auto& surface : surfaces_) surface->ColorKey = key_;
  ForgetKept();
}

void TPictureCollectionItem::Initialize() { initialized_ = true; }

void TPictureCollectionItem::Finalize() {
  if (!initialized_) return;
  initialized_ = false;
  patterns_.clear();
  surfaces_.clear();
  ForgetKept();
}

void TPictureCollectionItem::RebuildPatterns() {
  const std::int64_t pw = Picture.Width, ph = Picture.Height;
  if (Picture.Empty() || Picture.Pixels.size() != static_cast<std::size_t>(pw * ph)) return;
  if (!initialized_) {
    TSurfaceDevice* device = collection_.Device();
    if (device != nullptr && device->Started()) Initialize();
    if (!initialized_) return;
  }
  patterns_.clear();
  surfaces_.clear();
  ForgetKept();

  // The whole picture lives in one surface; pattern i keeps the picture
  // rectangle the row-by-row numbering gives it.
  auto surface = std::make_unique<TDirectDrawSurface>(Picture.Width, Picture.Height);
  std::uint32_t* pixels = surface->Row(0);
  for (std::size_t i = 0; i < Picture.Pixels.size(); ++i) pixels[i] = Picture.Pixels[i] | 0xFF000000u;
  surface->ColorKey = key_;

  const std::int64_t w = PatternWidth > 0 ? PatternWidth : pw;
  const std::int64_t h = PatternHeight > 0 ? PatternHeight : ph;
  if (w == pw && h == ph) {
    patterns_.push_back({TRect{0, 0, Picture.Width, Picture.Height}, surface.get()});
    surfaces_.push_back(std::move(surface));
    return;
  }
  const std::int64_t w2 = w + SkipWidth, h2 = h + SkipHeight;
  if (w2 <= 0 || h2 <= 0) return;
  const std::int64_t cols = std::max<std::int64_t>((pw + SkipWidth) / w2, 0);
  const std::int64_t rows = std::max<std::int64_t>((ph + SkipHeight) / h2, 0);
  if (cols == 0 || rows == 0) return;  // smaller than one pattern
  patterns_.reserve(static_cast<std::size_t>(cols * rows));
  for (std::int64_t i = 0; i < cols * rows; ++i) {
    const std::int64_t left = (i % cols) * w2, top = (i / cols) * h2;
    patterns_.push_back({TRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                               static_cast<std::int32_t>(left + w), static_cast<std::int32_t>(top + h)},
                         surface.get()});
  }
  surfaces_.push_back(std::move(surface));
}

int TPictureCollectionItem::PatternCount() const { return static_cast<int>(patterns_.size()); }

TRect TPictureCollectionItem::PatternRect(int index) const {
  if (index < 0 || index >= PatternCount()) return TRect{};
  return patterns_[index].Rect;
}

TDirectDrawSurface* TPictureCollectionItem::PatternSurface(int index) const {
  if (index < 0 || index >= PatternCount()) return nullptr;
  return patterns_[index].Surface;
}

// The pattern kept at width x height, or null when that size is not kept.
TKeptPattern* TPictureCollectionItem::KeptPattern(int index, int width, int height) {
  TKeptSize* size = last_;
  if (size == nullptr || size->Width != width || size->Height != height) {
    size = nullptr;
    for (TKeptSize& kept : cache_->Sizes)
      if (kept.Width == width && kept.Height == height) size = &kept;
    if (size == nullptr) {
      if (cache_->Sizes.size() >= Cache::MaxSizes) return nullptr;
      cache_->Sizes.push_back({width, height, std::vector<TKeptPattern>(patterns_.size())});
      size = &cache_->Sizes.back();
    }
    last_ = size;
  }
  TKeptPattern& kept = size->Patterns[index];
  if (kept.Pixels.empty()) {
    const Pattern& pattern = patterns_[index];
    kept.Pixels.resize(static_cast<std::size_t>(width) * height);
    ScalePart(*pattern.Surface, pattern.Rect, width, height, 0, 0, width, height, kept.Pixels.data());
    FindKeyedRows(kept, width, height, key_);
  }
  return &kept;
}

// Copies the kept (or, beyond what is kept, freshly scaled) pattern into the
// visible part of destRect, leaving the key out when Transparent.
void TPictureCollectionItem::CopyPattern(TDirectDrawSurface& dest, const TRect& destRect, int index, TPatternClip& clip) {
  const TPixelRoutines& routines = PixelRoutines();
  TKeptPattern* kept = IsKeptSize(destRect) ? KeptPattern(index, destRect.Width(), destRect.Height()) : nullptr;
  if (kept != nullptr) {
    const int from = static_cast<int>(clip.SkipY);
    DrawKeptRows(routines, BlockOf(dest, clip, kept->Pixels.data(), destRect.Width()), *kept, from,
                 from + clip.Height, Transparent, key_);
  } else {
    std::vector<std::uint32_t>& scratch = cache_->Scratch;
    scratch.resize(static_cast<std::size_t>(clip.Width) * clip.Height);
    const Pattern& pattern = patterns_[index];
    ScalePart(*pattern.Surface, pattern.Rect, std::int64_t{destRect.Right} - destRect.Left,
              std::int64_t{destRect.Bottom} - destRect.Top, clip.SkipX, clip.SkipY, clip.Width, clip.Height,
              scratch.data());
    clip.SkipX = clip.SkipY = 0;
    const TPixelBlock block = BlockOf(dest, clip, scratch.data(), clip.Width);
    if (Transparent) {
      routines.Keyed(block, key_);
    } else {
      routines.Copy(block);
    }
  }
  dest.Touched({clip.X, clip.Y, clip.X + clip.Width, clip.Y + clip.Height});
}

void TPictureCollectionItem::DrawScaled(TDirectDrawSurface& dest, const TRect& destRect, int index) {
  // The usual case, a square wholly on the surface at the size drawn last,
  // whose pattern is kept already, goes straight to the pixel routines.
  const TKeptSize* last = last_;
  if (last != nullptr && index >= 0 && static_cast<std::size_t>(index) < last->Patterns.size() &&
      destRect.Left >= 0 && destRect.Top >= 0 && destRect.Right <= dest.Width() &&
      destRect.Bottom <= dest.Height() && destRect.Right - destRect.Left == last->Width &&
      destRect.Bottom - destRect.Top == last->Height) {
    const TKeptPattern& kept = last->Patterns[index];
    if (!kept.Pixels.empty()) {
      const TPixelBlock block{dest.Row(destRect.Top) + destRect.Left, dest.Width(), kept.Pixels.data(), last->Width,
                              last->Width, last->Height};
      const int height = last->Height;
      PixelRoutines().Bands(block, Transparent ? kept.Bands : TRowBands{0, height, height, height}, key_);
      dest.TouchedInside(destRect);
      return;
    }
  }
  if (!initialized_ || index < 0 || static_cast<std::size_t>(index) >= patterns_.size()) return;
  if (destRect.Empty() || patterns_[index].Rect.Empty()) return;
  TPatternClip clip;
  if (!ClipToSurface(dest, destRect, clip)) return;
  CopyPattern(dest, destRect, index, clip);
}

void TPictureCollectionItem::DrawBlended(TDirectDrawSurface& dest, const TRect& destRect, int index,
                                         int alpha) {
  if (!initialized_ || index < 0 || index >= PatternCount() || alpha <= 0) return;
  const Pattern& pattern = patterns_[index];
  if (dest.Width() <= 0 || dest.Height() <= 0) return;
  if (pattern.Surface->Width() <= 0 || pattern.Surface->Height() <= 0) return;
  if (destRect.Empty() || pattern.Rect.Empty()) return;
  TPatternClip clip;
  if (!ClipToSurface(dest, destRect, clip)) return;
  if (alpha >= 255) {
    CopyPattern(dest, destRect, index, clip);
    return;
  }
  const TPixelRoutines& routines = PixelRoutines();
  TKeptPattern* kept = IsKeptSize(destRect) ? KeptPattern(index, destRect.Width(), destRect.Height()) : nullptr;
  TPixelBlock block;
  if (kept != nullptr) {
    block = BlockOf(dest, clip, kept->Pixels.data(), destRect.Width());
    if (Transparent) {
      // Rows wholly of the key blend nothing; a shadow fills few of its
      // square's rows, and a herd lays many shadows on a new day.
      const int from = static_cast<int>(clip.SkipY), to = from + clip.Height;
      const int first = std::clamp(kept->Bands.SolidTop, from, to) - from;
      const int last = std::clamp(kept->Bands.SolidBottom, from, to) - from;
      block.To += block.ToStride * first;
      block.From += block.FromStride * first;
      block.Height = last - first;
    }
  } else {
    std::vector<std::uint32_t>& scratch = cache_->Scratch;
    scratch.resize(static_cast<std::size_t>(clip.Width) * clip.Height);
    ScalePart(*pattern.Surface, pattern.Rect, std::int64_t{destRect.Right} - destRect.Left,
              std::int64_t{destRect.Bottom} - destRect.Top, clip.SkipX, clip.SkipY, clip.Width, clip.Height,
              scratch.data());
    clip.SkipX = clip.SkipY = 0;
    block = BlockOf(dest, clip, scratch.data(), clip.Width);
  }
  if (block.Height > 0) routines.Blend(block, static_cast<std::uint32_t>(alpha), Transparent, key_);
  dest.Touched({clip.X, clip.Y, clip.X + clip.Width, clip.Y + clip.Height});
}

// ---------------------------------------------------------------------------
// TPictureCollection

TPictureCollection::TPictureCollection() = default;
TPictureCollection::~TPictureCollection() = default;

TPictureCollectionItem& TPictureCollection::Items(int index) {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[index];
}

TPictureCollectionItem& TPictureCollection::Add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>(*this));
  return *items_.back();
}

void TPictureCollection::AttachDevice(TSurfaceDevice& device) {
  DetachDevice();
  if (!device.Started()) throw EDXImageListError("TPictureCollection cannot be initialized");
  device_ = &device;
  for (auto& item : items_) {
    item->Finalize();
    item->Initialize();
  }
}

void TPictureCollection::DetachDevice() {
  for (auto& item : items_) item->Finalize();
  device_ = nullptr;
}

void TPictureCollection::RebuildAll() {
  for (auto& item : items_) item->RebuildPatterns();
}

// ---------------------------------------------------------------------------
// TDXImageList

TDXImageList::TDXImageList() = default;

TDXImageList::~TDXImageList() { SetDXDraw(nullptr); }

void TDXImageList::SetDXDraw(TSurfaceDevice* device) {
  if (device == dxdraw_) return;
  if (dxdraw_ != nullptr) {
    TSurfaceDevice* old = dxdraw_;
    dxdraw_ = nullptr;
    old->UnregisterListener(this);
    // Items must not keep surfaces of a device they no longer follow.
    if (Items.Device() == old) Items.DetachDevice();
  }
  dxdraw_ = device;
  if (device != nullptr) device->RegisterListener(this);
}

void TDXImageList::SurfaceNotice(TSurfaceDevice& sender, TSurfaceNotice notice) {
  switch (notice) {
    case snDestroying:
      if (&sender == dxdraw_) SetDXDraw(nullptr);
      break;
    case snStarted:
      Items.AttachDevice(sender);
      break;
    case snStopping:
      Items.DetachDevice();
      break;
    case snRestored:
      Items.RebuildAll();
      break;
    default:
      break;
  }
}
