#include "shell/CoolForm.h"

#include <QEvent>
#include <QIODevice>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

namespace {
constexpr std::int32_t RegionHeaderSize = 32;
constexpr std::int32_t RegionTypeRectangles = 1;
constexpr std::size_t RegionRectSize = 16;
// Window coordinates beyond this are no outline of a real window, and
// keeping them small keeps every width and height within an int.
constexpr std::int32_t RegionCoordinateLimit = 1 << 24;
constexpr qint64 MaskReadChunk = 64 * 1024;

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::int32_t GetInt32(const std::uint8_t* bytes) {
  const std::uint32_t bits = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
                             (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
  return static_cast<std::int32_t>(bits);
}

void PutRect(std::vector<std::uint8_t>& out, const QRect& rect) {
  PutInt32(out, rect.left());
  PutInt32(out, rect.top());
  PutInt32(out, rect.left() + rect.width());
  PutInt32(out, rect.top() + rect.height());
}

bool InLimit(std::int32_t value) { return value > -RegionCoordinateLimit && value < RegionCoordinateLimit; }
}  // namespace

std::vector<std::uint8_t> RegionToData(const QRegion& region) {
  const auto count = static_cast<std::int32_t>(region.rectCount());
  std::vector<std::uint8_t> data;
  data.reserve(RegionHeaderSize + RegionRectSize * static_cast<std::size_t>(count));
  PutInt32(data, RegionHeaderSize);
  PutInt32(data, RegionTypeRectangles);
  PutInt32(data, count);
  PutInt32(data, count * static_cast<std::int32_t>(RegionRectSize));
  PutRect(data, region.boundingRect());
  for (const QRect& rect : region) PutRect(data, rect);
  return data;
}

std::optional<QRegion> RegionFromData(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < RegionHeaderSize) return std::nullopt;
  const std::int32_t headerSize = GetInt32(data);
  const std::int32_t type = GetInt32(data + 4);
  const std::int32_t count = GetInt32(data + 8);
  const std::int32_t rectBytes = GetInt32(data + 12);
  if (headerSize != RegionHeaderSize || type != RegionTypeRectangles || count <= 0) return std::nullopt;
  if (static_cast<std::size_t>(count) > (size - RegionHeaderSize) / RegionRectSize) return std::nullopt;
  if (rectBytes != count * static_cast<std::int32_t>(RegionRectSize)) return std::nullopt;
  QRegion region;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint8_t* r = data + RegionHeaderSize + RegionRectSize * static_cast<std::size_t>(i);
    const std::int32_t left = GetInt32(r), top = GetInt32(r + 4), right = GetInt32(r + 8), bottom = GetInt32(r + 12);
    if (!InLimit(left) || !InLimit(top) || !InLimit(right) || !InLimit(bottom)) return std::nullopt;
    if (left >= right || top >= bottom) return std::nullopt;
    region += QRect(left, top, right - left, bottom - top);
  }
  return region;
}

TCoolForm::TCoolForm(QWidget* owner) : Mask(std::make_unique<TRegionType>()) {
  Mask->RegionOwner = this;
  // The picture covers every pixel, so the background is never erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (owner != nullptr) SetParent(owner);
}

TCoolForm::~TCoolForm() {
  if (parentWidget() != nullptr) parentWidget()->removeEventFilter(this);
}

void TCoolForm::SetMask(std::unique_ptr<TRegionType> mask) {
  if (!mask) return;
  Mask = std::move(mask);
  Mask->RegionOwner = this;
}

bool TCoolForm::ReadMask(QIODevice& stream) {
  Mask->RegionHandle.reset();
  MaskData.clear();
  MaskSize = 0;
  std::uint8_t sizeBytes[4];
  if (stream.read(reinterpret_cast<char*>(sizeBytes), 4) != 4) return false;
  const std::int32_t size = GetInt32(sizeBytes);
  if (size == 0) return true;
  if (size < 0) return false;
  // Read in chunks, so a length the stream cannot back allocates nothing big.
  std::vector<std::uint8_t> data;
  while (data.size() < static_cast<std::size_t>(size)) {
    const qint64 wanted = std::min<qint64>(MaskReadChunk, size - static_cast<qint64>(data.size()));
    const QByteArray chunk = stream.read(wanted);
    if (chunk.isEmpty()) return false;
    data.insert(data.end(), chunk.begin(), chunk.end());
  }
  MaskData = std::move(data);
  MaskSize = size;
  std::optional<QRegion> region = RegionFromData(MaskData.data(), MaskData.size());
  if (!region) return false;
  Mask->RegionHandle = std::make_unique<QRegion>(*region);
  ApplyOutline(*region);
  return true;
}

void TCoolForm::WriteMask(QIODevice& stream) const {
  std::vector<std::uint8_t> out;
  if (Mask->RegionHandle) {
    const std::vector<std::uint8_t> data = RegionToData(*Mask->RegionHandle);
    PutInt32(out, static_cast<std::int32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
  } else {
    PutInt32(out, 0);
  }
  stream.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size()));
}

void TCoolForm::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  PictureChanged();
  update();
}

void TCoolForm::PictureChanged() {
  Mask->RegionHandle.reset();
}

bool TCoolForm::IsForm(const QWidget* widget) {
  return widget != nullptr &&
         (widget->isWindow() || qobject_cast<const QMdiSubWindow*>(widget->parentWidget()) != nullptr);
}

void TCoolForm::SetParent(QWidget* parent) {
  if (parent != nullptr && !IsForm(parent)) throw ECoolFormError("Drop the CoolForm on a FORM!");
  if (parentWidget() != nullptr) parentWidget()->removeEventFilter(this);
  setParent(parent);
  if (parent != nullptr) {
    parent->installEventFilter(this);
    QWidget* window = FormWindow();
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    if (wasVisible) window->show();
    FillParent();
    show();
  }
  SetTop(0);
  SetLeft(0);
}

void TCoolForm::SetTop(int) { move(x(), 0); }
void TCoolForm::SetLeft(int) { move(0, y()); }
void TCoolForm::SetWidth(int value) { resize(value, height()); }
void TCoolForm::SetHeight(int value) { resize(width(), value); }

QWidget* TCoolForm::FormWindow() const {
  QWidget* form = parentWidget();
  if (form == nullptr) return nullptr;
  if (auto* child = qobject_cast<QMdiSubWindow*>(form->parentWidget())) return child;
  return form;
}

void TCoolForm::FillParent() {
  if (parentWidget() != nullptr) setGeometry(parentWidget()->rect());
}

void TCoolForm::ApplyOutline(const QRegion& region) {
  if (QWidget* window = FormWindow()) window->setMask(region);
}

void TCoolForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull())
    painter.fillRect(rect(), palette().window());
  else
    painter.drawPixmap(rect(), picture_);
}

void TCoolForm::mousePressEvent(QMouseEvent* event) {
  QWidget* window = FormWindow();
  if (event->button() != Qt::LeftButton || !Draggable || window == nullptr) {
    event->ignore();
    return;
  }
  // A top-level window is moved by the window manager where there is one;
  // an MDI child (or a top-level window without one) follows the mouse here.
  if (window->isWindow() && window->windowHandle() != nullptr && window->windowHandle()->startSystemMove()) return;
  drag_.emplace(event->globalPosition().toPoint(), window->pos());
}

void TCoolForm::mouseMoveEvent(QMouseEvent* event) {
  QWidget* window = FormWindow();
  if (!drag_ || window == nullptr || !(event->buttons() & Qt::LeftButton)) return;
  window->move(drag_->second + event->globalPosition().toPoint() - drag_->first);
}

void TCoolForm::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) drag_.reset();
}

bool TCoolForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) FillParent();
  return QWidget::eventFilter(watched, event);
}
