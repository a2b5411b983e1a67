#include "present/Surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstring>
#include <string>

#include "present/Text.h"

namespace {

// Whether drawing skips what is already on the surface; see SkipUnchanged.
bool Skipping = true;

// Clips a copy of a w x h block to [0, limit) on one axis; returns false when
// nothing remains. pos is the destination start, skip what is cut at its front.
bool ClipSpan(int& pos, int& length, int& skip, int limit) {
  skip = 0;
  if (pos < 0) {
    skip = -pos;
    length += pos;
    pos = 0;
  }
  if (pos + length > limit) length = limit - pos;
  return length > 0;
}

}  // namespace

void SetSkipUnchanged(bool skip) { Skipping = skip; }
bool SkipUnchanged() { return Skipping; }

TDirectDrawSurface::TDirectDrawSurface() = default;

TDirectDrawSurface::TDirectDrawSurface(int width, int height) { SetSize(width, height); }

void TSurfacePixels::Assign(std::size_t count, std::uint32_t value) {
  if (count > capacity_) {
    data_.reset();  // the old memory goes before the new is asked for
    data_.reset(new std::uint32_t[count]);  // left unwritten until asked for
    capacity_ = count;
  }
  size_ = count;
  pending_ = value;
}

void TSurfacePixels::Write() const {
  std::fill_n(data_.get(), size_, *pending_);
  pending_.reset();
}

TDirectDrawSurface::TDirectDrawSurface(int width, int height, TSurfacePixels storage) {
  // Memory far larger than needed is let go rather than kept unused.
  const std::size_t needed = static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0);
  if (storage.Capacity() <= 2 * needed) pixels_ = std::move(storage);
  SetSize(width, height);
}

TSurfacePixels TDirectDrawSurface::TakeStorage() {
  if (canvas_) canvas_->ReleaseCanvas();
  TSurfacePixels storage = std::move(pixels_);
  pixels_ = {};
  SetSize(0, 0);
  return storage;
}

TDirectDrawSurface::~TDirectDrawSurface() = default;

void TDirectDrawSurface::SetSize(int width, int height) {
  // The canvas may be holding the old buffer; give it back first.
  if (canvas_) canvas_->ReleaseCanvas();
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.Assign(static_cast<std::size_t>(width_) * height_, 0xFF000000u);
  memo_.reset();
  otherChanges_.Take();
  fills_.clear();
  Touched({0, 0, width_, height_});
}

std::uint32_t* TDirectDrawSurface::Bits() {
  Touched({0, 0, width_, height_});
  return pixels_.Data();
}

std::uint32_t* TDirectDrawSurface::Line(int y) {
  Touched({0, 0, width_, height_});
  return Row(y);
}

void TDirectDrawSurface::Fill(std::uint32_t pixel) {
  pixels_.Fill(pixel);
  Touched({0, 0, width_, height_});
}

void TDirectDrawSurface::FillRect(const TRect& area, std::uint32_t pixel) {
  const TRect clipped{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, width_),
                      std::min(area.Bottom, height_)};
  if (clipped.Empty()) return;
  if (SkipUnchanged()) {
    for (const TFilled& fill : fills_)
      if (fill.Pixel == pixel && clipped.Left >= fill.Area.Left && clipped.Right <= fill.Area.Right &&
          clipped.Top >= fill.Area.Top && clipped.Bottom <= fill.Area.Bottom)
        return;
  }
  for (int y = clipped.Top; y < clipped.Bottom; ++y) std::fill(Row(y) + clipped.Left, Row(y) + clipped.Right, pixel);
  changes_.Add(clipped);
  if (memo_ && !memoDrawing_) otherChanges_.Add(clipped);
  // Fills of the same pixel stay whole where this one overlaps them.
  ForgetFills(clipped, pixel);
  constexpr std::size_t MaxFills = 8;
  if (fills_.size() == MaxFills) fills_.erase(fills_.begin());
  fills_.push_back({clipped, pixel});
}

void TDirectDrawSurface::ForgetFills(const TRect& written, std::optional<std::uint32_t> pixel) {
  std::erase_if(fills_, [&](const TFilled& fill) {
    return fill.Pixel != pixel && written.Left < fill.Area.Right && fill.Area.Left < written.Right &&
           written.Top < fill.Area.Bottom && fill.Area.Top < written.Bottom;
  });
}

void TDirectDrawSurface::SetMemo(std::unique_ptr<TSurfaceMemo> memo) {
  memo_ = std::move(memo);
  otherChanges_.Take();
}

void TChangedAreas::Merge(const TRect& area) {
  if (!areas_.empty()) {
    TRect& last = areas_.back();
    if (area.Top == last.Top && area.Bottom == last.Bottom && area.Left <= last.Right && area.Right >= last.Left) {
      last.Left = std::min(last.Left, area.Left);
      last.Right = std::max(last.Right, area.Right);
      return;
    }
    JoinLastBand();
    // A square right below one of the last few areas and as wide extends
    // it, so a column of squares drawn row by row stays one area.
    constexpr std::size_t Nearby = 16;
    for (std::size_t i = areas_.size(); i-- > 0 && areas_.size() - i <= Nearby;) {
      TRect& above = areas_[i];
      if (above.Left == area.Left && above.Right == area.Right && above.Bottom == area.Top) {
        above.Bottom = area.Bottom;
        return;
      }
    }
  }
  if (areas_.size() < MaxAreas) {
    areas_.push_back(area);
    return;
  }
  TRect box = area;
  for (const TRect& r : areas_) {
    box.Left = std::min(box.Left, r.Left);
    box.Top = std::min(box.Top, r.Top);
    box.Right = std::max(box.Right, r.Right);
    box.Bottom = std::max(box.Bottom, r.Bottom);
  }
  areas_.assign(1, box);
}

// A finished band as wide as the one above it joins it.
void TChangedAreas::JoinLastBand() {
  if (areas_.size() < 2) return;
  const TRect& last = areas_.back();
  TRect& above = areas_[areas_.size() - 2];
  if (above.Left == last.Left && above.Right == last.Right && above.Bottom == last.Top) {
    above.Bottom = last.Bottom;
    areas_.pop_back();
  }
}

std::vector<TRect> TChangedAreas::Take() {
  JoinLastBand();
  std::vector<TRect> taken;
  taken.swap(areas_);
  return taken;
}

TDirectDrawSurfaceCanvas& TDirectDrawSurface::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
  return *canvas_;
}

struct TDirectDrawSurfaceCanvas::Impl {
  QImage image;  // wraps the surface's pixels, no copy
  QPainter painter;
  // The last text written in a box of its own. When its glyphs stay inside
  // the white box, the box's pixels do not depend on what lies beneath, so
  // the same text is copied rather than laid out and drawn again.
  std::string text;
  QFont font;
  QImage box;

  void Begin(TDirectDrawSurface& surface) {
    if (painter.isActive()) return;
    image = QImage(reinterpret_cast<uchar*>(surface.Row(0)), surface.Width(), surface.Height(), surface.Width() * 4,
                   QImage::Format_RGB32);
    if (painter.begin(&image)) painter.setPen(Qt::black);
  }
  // Draws the text in a box of its own; false when its glyphs reach past it.
  bool DrawBox(std::string_view bytes, const QFont& with) {
    const QString line = DecodeText(bytes);
    QImage made(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(with, &made);
    const QRect rect(0, 0, metrics.horizontalAdvance(line), metrics.height());
    if (rect.isEmpty() || !rect.contains(metrics.boundingRect(line).translated(0, metrics.ascent()))) return false;
    made = QImage(rect.size(), QImage::Format_RGB32);
    QPainter boxPainter(&made);
    boxPainter.setFont(with);
    boxPainter.setPen(Qt::black);
    boxPainter.fillRect(rect, Qt::white);
    boxPainter.drawText(0, metrics.ascent(), line);
    boxPainter.end();
    text.assign(bytes);
    font = with;
    box = std::move(made);
    return true;
  }
  void CopyBox(TDirectDrawSurface& surface, int x, int y) const {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + box.width(), surface.Width()), bottom = std::min(y + box.height(), surface.Height());
    if (left >= right || top >= bottom) return;
    for (int row = top; row < bottom; ++row)
      std::memcpy(surface.Row(row) + left, box.constScanLine(row - y) + std::size_t(left - x) * 4,
                  std::size_t(right - left) * 4);
    surface.Touched({left, top, right, bottom});
  }
};

TDirectDrawSurfaceCanvas::TDirectDrawSurfaceCanvas(TDirectDrawSurface& surface)
    : surface_(surface), impl_(std::make_unique<Impl>()) {}

TDirectDrawSurfaceCanvas::~TDirectDrawSurfaceCanvas() { ReleaseCanvas(); }

void TDirectDrawSurfaceCanvas::TextOut(int x, int y, std::string_view text) {
  // Fonts need a GUI application; a tool without one simply gets no text.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  if (surface_.Width() <= 0 || surface_.Height() <= 0 || text.empty()) return;
  Impl& d = *impl_;
  const QFont font = QGuiApplication::font();
  if (SkipUnchanged() && !d.box.isNull() && d.text == text && d.font == font) {
    d.CopyBox(surface_, x, y);
    return;
  }
  if (d.DrawBox(text, font)) {
    d.CopyBox(surface_, x, y);
    return;
  }
  d.Begin(surface_);
  QPainter& painter = d.painter;
  if (!painter.isActive()) return;
  const QString line = DecodeText(text);
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect box(x, y, metrics.horizontalAdvance(line), metrics.height());
  painter.fillRect(box, Qt::white);
  painter.drawText(x, y + metrics.ascent(), line);
  // Glyphs may reach a little past their box.
  const QRect ink = box.united(metrics.boundingRect(line).translated(x, y + metrics.ascent())).adjusted(-2, -2, 2, 2);
  surface_.Touched({ink.left(), ink.top(), ink.right() + 1, ink.bottom() + 1});
}

void TDirectDrawSurfaceCanvas::CopyRect(const TRect& dest, const TDirectDrawSurface& src,
                                        const TRect& srcRect) {
  if (dest.Empty() || srcRect.Empty()) return;
  if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src.Width() ||
      srcRect.Bottom > src.Height())
    return;
  const int dw = dest.Width(), dh = dest.Height();
  const int sw = srcRect.Width(), sh = srcRect.Height();
  int x = dest.Left, w = dw, skipX = 0;
  int y = dest.Top, h = dh, skipY = 0;
  if (!ClipSpan(x, w, skipX, surface_.Width()) || !ClipSpan(y, h, skipY, surface_.Height())) return;
  surface_.Touched({x, y, x + w, y + h});
  for (int row = 0; row < h; ++row) {
    const int sy = srcRect.Top + static_cast<int>(
                                     (static_cast<std::int64_t>(row + skipY) * 2 + 1) * sh / (2 * dh));
    const std::uint32_t* from = src.Line(sy);
    std::uint32_t* to = surface_.Row(y + row) + x;
    if (sw == dw) {
      std::memmove(to, from + srcRect.Left + skipX, static_cast<std::size_t>(w) * 4);
      continue;
    }
    for (int col = 0; col < w; ++col) {
      const int sx = srcRect.Left + static_cast<int>(
                                        (static_cast<std::int64_t>(col + skipX) * 2 + 1) * sw / (2 * dw));
      to[col] = from[sx];
    }
  }
}

void TDirectDrawSurfaceCanvas::ReleaseCanvas() {
  if (impl_->painter.isActive()) impl_->painter.end();
  impl_->image = QImage();
}
