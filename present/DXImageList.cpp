#include "present/DXImageList.h"

#include <algorithm>
#include <cstring>
#include <string>

struct TPictureCollectionItem::Pattern {
  TRect Rect;                    // in the coordinates of Surface
  TDirectDrawSurface* Surface;   // owned by the item
};

// Patterns scaled to the sizes they are drawn at, made on first use and kept
// until the patterns are cut again, so a frame only copies pixels.
struct TPictureCollectionItem::Cache {
  static constexpr int MaxSizes = 8;
  static constexpr int MaxPixels = 256 * 256;
  struct Scaled {
    int Width = 0;
    int Height = 0;
    std::vector<std::vector<std::uint32_t>> Patterns;  // by pattern index; empty until made
  };
  std::vector<Scaled> Sizes;
  int LastSize = 0;
  std::vector<std::uint32_t> Scratch;  // for sizes beyond what is kept
};

namespace {

// A block of source pixels ready to be laid 1:1 onto the destination.
struct TSourceBlock {
  const std::uint32_t* Pixels;
  int Stride;
};

// Nearest source pixel of destination position i out of n, sampling the
// centre of each destination pixel.
inline int NearestIndex(int i, int sourceLength, int destLength) {
  return static_cast<int>((static_cast<std::int64_t>(i) * 2 + 1) * sourceLength / (2 * destLength));
}

void ScalePattern(const TDirectDrawSurface& surface, const TRect& rect, int width, int height,
                  std::uint32_t* out) {
  std::vector<int> columns(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) columns[x] = rect.Left + NearestIndex(x, rect.Width(), width);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = surface.Line(rect.Top + NearestIndex(y, rect.Height(), height));
    std::uint32_t* to = out + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) to[x] = from[columns[x]];
  }
}

// The part of a w x h block at (left, top) that lies on the surface.
struct TClip {
  int X, Y, Width, Height, SkipX, SkipY;
};

bool ClipToSurface(const TDirectDrawSurface& dest, const TRect& rect, TClip& clip) {
  const int x0 = std::max(rect.Left, 0), y0 = std::max(rect.Top, 0);
  const int x1 = std::min(rect.Right, dest.Width()), y1 = std::min(rect.Bottom, dest.Height());
  if (x0 >= x1 || y0 >= y1) return false;
  clip = {x0, y0, x1 - x0, y1 - y0, x0 - rect.Left, y0 - rect.Top};
  return true;
}

void CopyRows(TDirectDrawSurface& dest, const TClip& clip, TSourceBlock src, bool keyed,
              std::uint32_t key) {
  const std::uint32_t* from = src.Pixels + static_cast<std::size_t>(clip.SkipY) * src.Stride + clip.SkipX;
  for (int row = 0; row < clip.Height; ++row, from += src.Stride) {
    std::uint32_t* to = dest.Line(clip.Y + row) + clip.X;
    if (!keyed) {
      std::memcpy(to, from, static_cast<std::size_t>(clip.Width) * 4);
      continue;
    }
    // Written as a select rather than a branch so the loop vectorises.
    for (int x = 0; x < clip.Width; ++x) {
      const std::uint32_t s = from[x];
      to[x] = s != key ? s : to[x];
    }
  }
}

// round(x / 255) for two 16-bit lanes at once (x <= 255 * 255 in each lane).
inline std::uint32_t DivideLanesBy255(std::uint32_t lanes) {
  lanes += 0x00800080u;
  return ((lanes + ((lanes >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint32_t alpha) {
  const std::uint32_t inverse = 255 - alpha;
  const std::uint32_t rb = (s & 0x00FF00FFu) * alpha + (d & 0x00FF00FFu) * inverse;
  const std::uint32_t g = ((s >> 8) & 0xFFu) * alpha + ((d >> 8) & 0xFFu) * inverse;
  return 0xFF000000u | DivideLanesBy255(rb) | (DivideLanesBy255(g) << 8);
}

void BlendRows(TDirectDrawSurface& dest, const TClip& clip, TSourceBlock src, bool keyed,
               std::uint32_t key, int alpha) {
  const std::uint32_t* from = src.Pixels + static_cast<std::size_t>(clip.SkipY) * src.Stride + clip.SkipX;
  for (int row = 0; row < clip.Height; ++row, from += src.Stride) {
    std::uint32_t* to = dest.Line(clip.Y + row) + clip.X;
    for (int x = 0; x < clip.Width; ++x) {
      const std::uint32_t s = from[x];
      if (keyed && s == key) continue;
      to[x] = BlendPixel(s, to[x], static_cast<std::uint32_t>(alpha));
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TPictureCollectionItem

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& collection)
    : collection_(collection), cache_(std::make_unique<Cache>()) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  for (auto& surface : surfaces_) surface->ColorKey = ColorToPixel(color);
}

void TPictureCollectionItem::Initialize() { initialized_ = true; }

void TPictureCollectionItem::Finalize() {
  if (!initialized_) return;
  initialized_ = false;
  patterns_.clear();
  surfaces_.clear();
  *cache_ = Cache{};
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
  *cache_ = Cache{};

  // The whole picture lives in one surface; pattern i keeps the picture
  // rectangle the row-by-row numbering gives it.
  auto surface = std::make_unique<TDirectDrawSurface>(Picture.Width, Picture.Height);
  for (std::size_t i = 0; i < Picture.Pixels.size(); ++i) surface->Bits()[i] = Picture.Pixels[i] | 0xFF000000u;
  surface->ColorKey = ColorToPixel(transparentColor_);

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

namespace {

TSourceBlock ScaledSource(const TDirectDrawSurface& surface, const TRect& rect, int width, int height,
                          std::vector<std::uint32_t>& slot) {
  if (slot.empty()) {
    slot.resize(static_cast<std::size_t>(width) * height);
    ScalePattern(surface, rect, width, height, slot.data());
  }
  return {slot.data(), width};
}

}  // namespace

void TPictureCollectionItem::PatternSource(int index, int width, int height, const std::uint32_t*& pixels,
                                           int& stride) {
  const Pattern& pattern = patterns_[index];
  if (pattern.Rect.Width() == width && pattern.Rect.Height() == height) {
    pixels = pattern.Surface->Line(pattern.Rect.Top) + pattern.Rect.Left;
    stride = pattern.Surface->Width();
    return;
  }
  Cache& cache = *cache_;
  const bool keep = static_cast<std::int64_t>(width) * height <= Cache::MaxPixels;
  if (keep) {
    Cache::Scaled* scaled = nullptr;
    if (cache.LastSize < static_cast<int>(cache.Sizes.size()) &&
        cache.Sizes[cache.LastSize].Width == width && cache.Sizes[cache.LastSize].Height == height) {
      scaled = &cache.Sizes[cache.LastSize];
    } else {
      for (std::size_t i = 0; i < cache.Sizes.size(); ++i) {
        if (cache.Sizes[i].Width == width && cache.Sizes[i].Height == height) {
          scaled = &cache.Sizes[i];
          cache.LastSize = static_cast<int>(i);
          break;
        }
      }
      if (scaled == nullptr && cache.Sizes.size() < Cache::MaxSizes) {
        cache.Sizes.push_back({width, height, std::vector<std::vector<std::uint32_t>>(patterns_.size())});
        cache.LastSize = static_cast<int>(cache.Sizes.size()) - 1;
        scaled = &cache.Sizes.back();
      }
    }
    if (scaled != nullptr) {
      const TSourceBlock block = ScaledSource(*pattern.Surface, pattern.Rect, width, height,
                                              scaled->Patterns[index]);
      pixels = block.Pixels;
      stride = block.Stride;
      return;
    }
  }
  cache.Scratch.clear();
  const TSourceBlock block = ScaledSource(*pattern.Surface, pattern.Rect, width, height, cache.Scratch);
  pixels = block.Pixels;
  stride = block.Stride;
}

void TPictureCollectionItem::DrawScaled(TDirectDrawSurface& dest, const TRect& destRect, int index) {
  if (!initialized_ || index < 0 || index >= PatternCount()) return;
  if (destRect.Empty() || patterns_[index].Rect.Empty()) return;
  TClip clip;
  if (!ClipToSurface(dest, destRect, clip)) return;
  const std::uint32_t* pixels = nullptr;
  int stride = 0;
  PatternSource(index, destRect.Width(), destRect.Height(), pixels, stride);
  CopyRows(dest, clip, {pixels, stride}, Transparent, patterns_[index].Surface->ColorKey);
}

void TPictureCollectionItem::DrawBlended(TDirectDrawSurface& dest, const TRect& destRect, int index,
                                         int alpha) {
  if (!initialized_ || index < 0 || index >= PatternCount() || alpha <= 0) return;
  const Pattern& pattern = patterns_[index];
  if (dest.Width() <= 0 || dest.Height() <= 0) return;
  if (pattern.Surface->Width() <= 0 || pattern.Surface->Height() <= 0) return;
  if (destRect.Empty() || pattern.Rect.Empty()) return;
  TClip clip;
  if (!ClipToSurface(dest, destRect, clip)) return;
  const std::uint32_t* pixels = nullptr;
  int stride = 0;
  PatternSource(index, destRect.Width(), destRect.Height(), pixels, stride);
  if (alpha >= 255) {
    CopyRows(dest, clip, {pixels, stride}, Transparent, pattern.Surface->ColorKey);
    return;
  }
  BlendRows(dest, clip, {pixels, stride}, Transparent, pattern.Surface->ColorKey, alpha);
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
