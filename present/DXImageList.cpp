#include "present/DXImageList.h"

#include <algorithm>
#include <cstring>
#include <string>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

struct TPictureCollectionItem::Pattern {
  TRect Rect;                    // in the coordinates of Surface
  TDirectDrawSurface* Surface;   // owned by the item
};

// Whether a block of pattern pixels holds the colour key at all, found once
// per kept block: most ground patterns are solid and copy row by row, and
// patterns that are all key need no drawing.
namespace {
// Largest destination rectangle, in pixels, whose scaled pattern is kept.
constexpr std::int64_t KeptPixels = 256 * 256;

struct TOpacity {
  enum TKind { okUnknown, okSolid, okEmpty, okMixed };
  TKind Kind = okUnknown;
  std::uint32_t Key = 0;  // the key Kind was found with
};
}  // namespace

// Patterns scaled to the sizes they are drawn at, made on first use and kept
// until the patterns are cut again, so a frame only copies pixels.
struct TPictureCollectionItem::Cache {
  static constexpr int MaxSizes = 8;
  static constexpr std::int64_t MaxPixels = KeptPixels;
  struct Scaled {
    int Width = 0;
    int Height = 0;
    std::vector<std::vector<std::uint32_t>> Patterns;  // by pattern index; empty until made
    std::vector<TOpacity> Opacity;                   // by pattern index
  };
  std::vector<Scaled> Sizes;
  int LastSize = 0;
  std::vector<TOpacity> NativeOpacity;  // by pattern index, for patterns drawn at their own size
  std::vector<std::uint32_t> Scratch;  // for sizes beyond what is kept
};

struct TPictureCollectionItem::Source {
  const std::uint32_t* Pixels;
  int Stride;
  TOpacity* Opacity;  // null when none is kept for this size
};

namespace {

// A block of source pixels ready to be laid 1:1 onto the destination.
struct TSourceBlock {
  const std::uint32_t* Pixels;
  int Stride;
  int Width, Height;
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
  int X, Y, Width, Height;
  std::int64_t SkipX, SkipY;  // may exceed 32 bits for far off-surface rectangles
};

bool ClipToSurface(const TDirectDrawSurface& dest, const TRect& rect, TClip& clip) {
  const int x0 = std::max(rect.Left, 0), y0 = std::max(rect.Top, 0);
  const int x1 = std::min(rect.Right, dest.Width()), y1 = std::min(rect.Bottom, dest.Height());
  if (x0 >= x1 || y0 >= y1) return false;
  clip = {x0, y0, x1 - x0, y1 - y0, std::int64_t{x0} - rect.Left, std::int64_t{y0} - rect.Top};
  return true;
}

// A colour-keyed copy of a block: source pixels equal to key are left out.
// Written with vector compares because it runs for every pixel of every
// frame; strides are in pixels.
void KeyedBlockPortable(std::uint32_t* to, std::ptrdiff_t toStride, const std::uint32_t* from,
                        std::ptrdiff_t fromStride, int width, int height, std::uint32_t key) {
  for (int row = 0; row < height; ++row, to += toStride, from += fromStride) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    for (; x + 4 <= width; x += 4) {
      const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
      const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
      const __m128i keep = _mm_cmpeq_epi32(s, keys);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                       _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, s)));
    }
#endif
    for (; x < width; ++x) {
      const std::uint32_t s = from[x];
      if (s != key) to[x] = s;
    }
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void KeyedBlockAvx2(std::uint32_t* to, std::ptrdiff_t toStride,
                                                    const std::uint32_t* from, std::ptrdiff_t fromStride,
                                                    int width, int height, std::uint32_t key) {
  const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
  const int wide = width & ~7;
  for (int row = 0; row < height; ++row, to += toStride, from += fromStride) {
    int x = 0;
    // Masked stores write only the lanes that are not the key, so the
    // destination is never read; a four-lane one takes the usual tail of a
    // tile row, whose pixel-by-pixel branches would mispredict.
    for (; x < wide; x += 8) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
      const __m256i write = _mm256_xor_si256(_mm256_cmpeq_epi32(s, keys), _mm256_set1_epi32(-1));
      _mm256_maskstore_epi32(reinterpret_cast<int*>(to + x), write, s);
    }
    if (x + 4 <= width) {
      const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
      const __m128i write =
          _mm_xor_si128(_mm_cmpeq_epi32(s, _mm256_castsi256_si128(keys)), _mm_set1_epi32(-1));
      _mm_maskstore_epi32(reinterpret_cast<int*>(to + x), write, s);
      x += 4;
    }
    for (; x < width; ++x) {
      const std::uint32_t s = from[x];
      if (s != key) to[x] = s;
    }
  }
}

using TKeyedBlock = void (*)(std::uint32_t*, std::ptrdiff_t, const std::uint32_t*, std::ptrdiff_t, int, int,
                             std::uint32_t);
const TKeyedBlock KeyedBlock = __builtin_cpu_supports("avx2") ? KeyedBlockAvx2 : KeyedBlockPortable;
#else
constexpr auto KeyedBlock = KeyedBlockPortable;
#endif

// A short row copy without a library call: most rows drawn are a tile wide.
inline void CopyPixels(std::uint32_t* to, const std::uint32_t* from, int count) {
#if defined(__SSE2__)
  if (count > 64) {
    std::memcpy(to, from, static_cast<std::size_t>(count) * 4);
    return;
  }
  if (count >= 4) {
    for (int x = 0; x + 4 < count; x += 4)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
    // The last four, overlapping what the loop already wrote.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + count - 4),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + count - 4)));
    return;
  }
#endif
  for (int x = 0; x < count; ++x) to[x] = from[x];
}

void FindOpacity(const TSourceBlock& block, std::uint32_t key, TOpacity& opacity) {
  bool anyKey = false, anyOpaque = false;
  const std::uint32_t* row = block.Pixels;
  for (int y = 0; y < block.Height; ++y, row += block.Stride)
    for (int x = 0; x < block.Width; ++x) (row[x] == key ? anyKey : anyOpaque) = true;
  opacity.Key = key;
  opacity.Kind = !anyKey ? TOpacity::okSolid : anyOpaque ? TOpacity::okMixed : TOpacity::okEmpty;
}

void CopyRows(TDirectDrawSurface& dest, const TClip& clip, const TSourceBlock& src, bool keyed,
              std::uint32_t key, TOpacity* opacity) {
  if (keyed && opacity != nullptr) {
    if (opacity->Kind == TOpacity::okUnknown || opacity->Key != key) FindOpacity(src, key, *opacity);
    if (opacity->Kind == TOpacity::okEmpty) return;
    keyed = opacity->Kind == TOpacity::okMixed;
  }
  const std::uint32_t* from = src.Pixels + static_cast<std::size_t>(clip.SkipY) * src.Stride + clip.SkipX;
  std::uint32_t* to = dest.Line(clip.Y) + clip.X;
  // Kept in locals: the pixel stores could otherwise alias them.
  const std::ptrdiff_t fromStride = src.Stride, toStride = dest.Width();
  const int width = clip.Width, height = clip.Height;
  if (keyed) {
    KeyedBlock(to, toStride, from, fromStride, width, height, key);
    return;
  }
  for (int row = 0; row < height; ++row, from += fromStride, to += toStride) CopyPixels(to, from, width);
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

const std::uint32_t* ScaledPixels(const TDirectDrawSurface& surface, const TRect& rect, int width, int height,
                                  std::vector<std::uint32_t>& slot) {
  if (slot.empty()) {
    slot.resize(static_cast<std::size_t>(width) * height);
    ScalePattern(surface, rect, width, height, slot.data());
  }
  return slot.data();
}

}  // namespace

namespace {

// A destination rectangle too large to keep a scaled copy of (a huge zoom, or
// coordinates far off the surface) scales only its visible part, so the cost
// follows what is shown and never the rectangle's size.
bool IsKeptSize(const TRect& destRect) {
  const std::int64_t w = std::int64_t{destRect.Right} - destRect.Left;
  const std::int64_t h = std::int64_t{destRect.Bottom} - destRect.Top;
  return w <= KeptPixels && h <= KeptPixels && w * h <= KeptPixels;
}

TSourceBlock ScaleVisiblePart(const TDirectDrawSurface& surface, const TRect& rect, const TRect& destRect,
                              TClip& clip, std::vector<std::uint32_t>& out) {
  const std::int64_t dw = std::int64_t{destRect.Right} - destRect.Left;
  const std::int64_t dh = std::int64_t{destRect.Bottom} - destRect.Top;
  const auto nearest = [](std::int64_t i, std::int64_t sourceLength, std::int64_t destLength) {
    return static_cast<int>((i * 2 + 1) * sourceLength / (2 * destLength));
  };
  out.resize(static_cast<std::size_t>(clip.Width) * clip.Height);
  std::vector<int> columns(static_cast<std::size_t>(clip.Width));
  for (int x = 0; x < clip.Width; ++x) columns[x] = rect.Left + nearest(clip.SkipX + x, rect.Width(), dw);
  for (int y = 0; y < clip.Height; ++y) {
    const std::uint32_t* from = surface.Line(rect.Top + nearest(clip.SkipY + y, rect.Height(), dh));
    std::uint32_t* to = out.data() + static_cast<std::size_t>(y) * clip.Width;
    for (int x = 0; x < clip.Width; ++x) to[x] = from[columns[x]];
  }
  clip.SkipX = 0;
  clip.SkipY = 0;
  return {out.data(), clip.Width, clip.Width, clip.Height};
}

}  // namespace

TPictureCollectionItem::Source TPictureCollectionItem::PatternSource(int index, int width, int height) {
  const Pattern& pattern = patterns_[index];
  Cache& cache = *cache_;
  const bool keep = static_cast<std::int64_t>(width) * height <= Cache::MaxPixels;
  if (pattern.Rect.Width() == width && pattern.Rect.Height() == height) {
    TOpacity* runs = nullptr;
    if (keep) {
      if (cache.NativeOpacity.size() != patterns_.size()) cache.NativeOpacity.resize(patterns_.size());
      runs = &cache.NativeOpacity[index];
    }
    return {pattern.Surface->Line(pattern.Rect.Top) + pattern.Rect.Left, pattern.Surface->Width(), runs};
  }
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
        cache.Sizes.push_back({width, height, std::vector<std::vector<std::uint32_t>>(patterns_.size()),
                               std::vector<TOpacity>(patterns_.size())});
        cache.LastSize = static_cast<int>(cache.Sizes.size()) - 1;
        scaled = &cache.Sizes.back();
      }
    }
    if (scaled != nullptr)
      return {ScaledPixels(*pattern.Surface, pattern.Rect, width, height, scaled->Patterns[index]), width,
              &scaled->Opacity[index]};
  }
  cache.Scratch.clear();
  return {ScaledPixels(*pattern.Surface, pattern.Rect, width, height, cache.Scratch), width, nullptr};
}

void TPictureCollectionItem::DrawScaled(TDirectDrawSurface& dest, const TRect& destRect, int index) {
  if (!initialized_ || index < 0 || static_cast<std::size_t>(index) >= patterns_.size()) return;
  if (destRect.Empty() || patterns_[index].Rect.Empty()) return;
  TClip clip;
  if (!ClipToSurface(dest, destRect, clip)) return;
  const Pattern& pattern = patterns_[index];
  if (!IsKeptSize(destRect)) {
    const TSourceBlock block = ScaleVisiblePart(*pattern.Surface, pattern.Rect, destRect, clip, cache_->Scratch);
    CopyRows(dest, clip, block, Transparent, pattern.Surface->ColorKey, nullptr);
    return;
  }
  const Source source = PatternSource(index, destRect.Width(), destRect.Height());
  CopyRows(dest, clip, {source.Pixels, source.Stride, destRect.Width(), destRect.Height()}, Transparent,
           pattern.Surface->ColorKey, source.Opacity);
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
  Source source{};
  TSourceBlock block{};
  if (IsKeptSize(destRect)) {
    source = PatternSource(index, destRect.Width(), destRect.Height());
    block = {source.Pixels, source.Stride, destRect.Width(), destRect.Height()};
  } else {
    block = ScaleVisiblePart(*pattern.Surface, pattern.Rect, destRect, clip, cache_->Scratch);
  }
  if (alpha >= 255) {
    CopyRows(dest, clip, block, Transparent, pattern.Surface->ColorKey, source.Opacity);
    return;
  }
  BlendRows(dest, clip, block, Transparent, pattern.Surface->ColorKey, alpha);
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
