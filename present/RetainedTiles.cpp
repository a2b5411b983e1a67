#include "present/RetainedTiles.h"

#include <algorithm>
#include <array>

namespace {
struct TLayerKey {
  std::uint32_t Stamp;
  std::int32_t Pattern;
  bool Transparent;
  friend bool operator==(const TLayerKey&, const TLayerKey&) = default;
};

// What one square shows; Count is Unknown until it is drawn in this grid.
struct TSquare {
  static constexpr std::uint8_t Unknown = 0xFF;
  std::uint8_t Count = Unknown;
  std::array<TLayerKey, TTileFrame::MaxLayers> Layers;
};

TLayerKey KeyOf(const TTileLayer& layer) {
  return {layer.Item->Stamp(), layer.Pattern, layer.Item->Transparent};
}
}  // namespace

class TTileFrame::TMemo : public TSurfaceMemo {
 public:
  // Starts over when the grid is not the one of the last frame. Where the
  // grid starts on the map does not matter: a square that gets the layers
  // it already shows is unchanged by them, whichever tile they belong to.
  void Place(int size, int columns, int rows) {
    if (size == size_ && columns == columns_ && rows == rows_) return;
    size_ = size;
    columns_ = columns;
    rows_ = rows;
    squares_.assign(static_cast<std::size_t>(columns) * rows, TSquare{});
  }

  // Squares that something else has drawn over must be drawn again.
  void Forget(const TRect& area) {
    const int left = std::max(area.Left / size_, 0), right = std::min((area.Right - 1) / size_, columns_ - 1);
    const int top = std::max(area.Top / size_, 0), bottom = std::min((area.Bottom - 1) / size_, rows_ - 1);
    for (int row = top; row <= bottom; ++row)
      for (int column = left; column <= right; ++column) Square(column, row).Count = TSquare::Unknown;
  }

  TSquare& Square(int column, int row) { return squares_[static_cast<std::size_t>(row) * columns_ + column]; }
  bool Inside(int column, int row) const { return column >= 0 && column < columns_ && row >= 0 && row < rows_; }

 private:
  int size_ = 0, columns_ = 0, rows_ = 0;
  std::vector<TSquare> squares_;
};

TTileFrame::TTileFrame(TDirectDrawSurface& surface, int size, int columns, int rows)
    : surface_(surface), memo_(*[&] {
        // A surface whose memo is someone else's gets a new one.
        auto* memo = dynamic_cast<TMemo*>(surface.Memo());
        if (memo == nullptr) {
          auto made = std::make_unique<TMemo>();
          memo = made.get();
          surface.SetMemo(std::move(made));
        }
        return memo;
      }()),
      size_(std::max(size, 1)),
      skip_(SkipUnchanged()) {
  memo_.Place(size_, std::max(columns, 0), std::max(rows, 0));
  for (const TRect& area : surface_.TakeOtherChanges()) memo_.Forget(area);
  surface_.SetMemoDrawing(true);
}

TTileFrame::~TTileFrame() { surface_.SetMemoDrawing(false); }

void TTileFrame::Draw(int column, int row, const TTileLayer* layers, int count) {
  const TRect rect{column * size_, row * size_, column * size_ + size_, row * size_ + size_};
  if (!memo_.Inside(column, row)) {
    for (int i = 0; i < count; ++i) layers[i].Item->DrawScaled(surface_, rect, layers[i].Pattern);
    return;
  }
  TSquare& square = memo_.Square(column, row);
  if (skip_ && square.Count == count && count <= MaxLayers) {
    bool same = true;
    for (int i = 0; i < count && same; ++i) same = square.Layers[i] == KeyOf(layers[i]);
    if (same) return;
  }
  for (int i = 0; i < count; ++i) layers[i].Item->DrawScaled(surface_, rect, layers[i].Pattern);
  if (count > MaxLayers) {
    square.Count = TSquare::Unknown;
    return;
  }
  square.Count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) square.Layers[i] = KeyOf(layers[i]);
}
