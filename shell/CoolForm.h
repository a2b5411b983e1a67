#pragma once
// A shaped-window picture control: it fills its form with a stretched
// picture, lets the player drag the whole window by the picture with the
// left button, and can cut the window to a non-rectangular outline stored
// with the window's design as the raw "Mask2" stream.
#include <QPixmap>
#include <QPoint>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class QIODevice;
class TCoolForm;

class ECoolFormError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A window outline and the control it belongs to.
class TRegionType {
 public:
  std::unique_ptr<QRegion> RegionHandle;  // none: no outline
  TCoolForm* RegionOwner = nullptr;
};

// Region data as "Mask2" stores it (all fields little-endian int32): a
// 32-byte header {HeaderSize = 32, Type = 1 (rectangles), Count, RectBytes
// = 16 * Count, bounding Left, Top, Right, Bottom}, then Count rectangles of
// {Left, Top, Right, Bottom}; right and bottom are exclusive.
std::vector<std::uint8_t> RegionToData(const QRegion& region);
// The region the data describes, or none when the data is malformed.
std::optional<QRegion> RegionFromData(const std::uint8_t* data, std::size_t size);

class TCoolForm : public QWidget {
 public:
  // Placed on `owner` at once when given; see SetParent.
  explicit TCoolForm(QWidget* owner = nullptr);
  ~TCoolForm() override;

  std::unique_ptr<TRegionType> Mask;
  std::vector<std::uint8_t> MaskData;  // raw region data last read, empty when none
  std::int32_t MaskSize = 0;
  bool Draggable = true;

  // Takes a new outline object; none is ignored.
  void SetMask(std::unique_ptr<TRegionType> mask);

  // Reads "Mask2": a 4-byte length, then that many bytes of region data; a
  // length of 0 means no outline. Applies an outline to the window. False
  // when the stream was short or the data malformed (then no outline).
  bool ReadMask(QIODevice& stream);
  // Writes "Mask2" for the current outline, four zero bytes for none.
  void WriteMask(QIODevice& stream) const;

  const QPixmap& Picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  // A new picture drops the stored outline; the window keeps its shape.
  void PictureChanged();

  // Places the control on a form, which loses its frame; throws
  // ECoolFormError("Drop the CoolForm on a FORM!") for anything else.
  void SetParent(QWidget* parent);
  // A form is a top-level window or the content of an MDI child window.
  static bool IsForm(const QWidget* widget);

  // Position and size; the position always stays at the form's corner.
  int top() const { return y(); }
  int left() const { return x(); }
  virtual void SetTop(int value);
  virtual void SetLeft(int value);
  virtual void SetWidth(int value);
  virtual void SetHeight(int value);

  // The window the player sees and drags: the form itself when it is
  // top-level, its MDI child window frame otherwise.
  QWidget* FormWindow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillParent();
  void ApplyOutline(const QRegion& region);

  QPixmap picture_;
  // Where a drag started: the mouse on screen and the window's position.
  std::optional<std::pair<QPoint, QPoint>> drag_;
};
