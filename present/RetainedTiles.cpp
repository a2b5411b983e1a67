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
// Items are the layers' pictures as the frame that last saw the square gave
// them, Seen that frame's number, Over the key of what lies over the layers.
struct TSquare {
  static constexpr std::uint8_t Unknown = 0xFF;
  std::uint8_t Count = Unknown;
  std::array<TLayerKey, TTileFrame::MaxLayers> Layers;
  std::array<TPictureCollectionItem*, TTileFrame::MaxLayers> Items{};
  std::uint32_t Seen = 0;
  std::uint64_t Over = 0;
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
  bool Is(int size, int columns, int rows) const { return size == size_ && columns == columns_ && rows == rows_; }
  // Each tile frame gets a number of its own, never 0.
  void NextFrame() {
    frame_ = frame_ == UINT32_MAX ? 1 : frame_ + 1;
    laid_.clear();
  }
  std::uint32_t Frame() const { return frame_; }
  // The squares the frame drew, in the order it drew them.
  void Laid(int column, int row) { laid_.push_back({column, row}); }
  const std::vector<std::array<int, 2>>& Laid() const { return laid_; }

 private:
  int size_ = 0, columns_ = 0, rows_ = 0;
  std::uint32_t frame_ = 0;
  std::vector<std::array<int, 2>> laid_;
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
  memo_.NextFrame();
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
  square.Seen = memo_.Frame();
  if (skip_ && square.Count == count && count <= MaxLayers) {
    bool same = true;
    for (int i = 0; i < count && same; ++i) same = square.Layers[i] == KeyOf(layers[i]);
    if (same) {
      for (int i = 0; i < count; ++i) square.Items[static_cast<std::size_t>(i)] = layers[i].Item;
      return;
    }
  }
  for (int i = 0; i < count; ++i) layers[i].Item->DrawScaled(surface_, rect, layers[i].Pattern);
  square.Over = 0;
  memo_.Laid(column, row);
  if (count > MaxLayers) {
    square.Count = TSquare::Unknown;
    return;
  }
  square.Count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) {
    square.Layers[static_cast<std::size_t>(i)] = KeyOf(layers[i]);
    square.Items[static_cast<std::size_t>(i)] = layers[i].Item;
  }
}

TTileOverlay::TTileOverlay(TDirectDrawSurface& surface, int size, int columns, int rows)
    : surface_(surface),
      memo_(dynamic_cast<TTileFrame::TMemo*>(surface.Memo())),
      size_(std::max(size, 1)),
      skip_(SkipUnchanged()) {
  if (memo_ && !memo_->Is(size_, columns, rows)) memo_ = nullptr;
}

TTileOverlay::~TTileOverlay() { surface_.SetMemoDrawing(false); }

const std::vector<std::array<int, 2>>* TTileOverlay::Laid() const { return memo_ ? &memo_->Laid() : nullptr; }

bool TTileOverlay::Begin(int column, int row, std::uint64_t key) {
  TSquare* square = memo_ && memo_->Inside(column, row) ? &memo_->Square(column, row) : nullptr;
  // A square the last tile frame did not see may show anything: what goes
  // over it now counts as drawn over the tiles, so the next frame lays the
  // square afresh and asks again.
  if (square == nullptr || square->Seen != memo_->Frame() || square->Count > TTileFrame::MaxLayers) {
    surface_.SetMemoDrawing(false);
    if (square) {
      if (square->Over != 0) square->Count = TSquare::Unknown;
      square->Over = 0;
    }
    return key != 0;
  }
  if (skip_ && square->Over == key) return false;
  surface_.SetMemoDrawing(true);
  if (square->Over != 0) {
    const TRect rect{column * size_, row * size_, column * size_ + size_, row * size_ + size_};
    for (std::size_t i = 0; i < square->Count; ++i)
      square->Items[i]->DrawScaled(surface_, rect, square->Layers[i].Pattern);
  }
  square->Over = key;
  return key != 0;
}
