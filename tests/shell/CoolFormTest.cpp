#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "CommandsTestApp.h"
#include "shell/CoolForm.h"

namespace {
QByteArray MaskStream(const std::vector<std::uint8_t>& data) {
  QByteArray bytes;
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int shift = 0; shift < 32; shift += 8) bytes.append(static_cast<char>(size >> shift));
  bytes.append(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  return bytes;
}

bool Read(TCoolForm& control, QByteArray bytes) {
  QBuffer stream(&bytes);
  stream.open(QIODevice::ReadOnly);
  return control.ReadMask(stream);
}

QByteArray Written(const TCoolForm& control) {
  QByteArray bytes;
  QBuffer stream(&bytes);
  stream.open(QIODevice::WriteOnly);
  control.WriteMask(stream);
  return bytes;
}

void SendMouse(QWidget& target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(target.mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
  QApplication::sendEvent(&target, &event);
}

// Press at a point of the picture, move by (40, 30), release.
void DragBy40x30(TCoolForm& control, Qt::MouseButton button) {
  const QPoint start = control.mapToGlobal(QPoint(10, 10));
  SendMouse(control, QEvent::MouseButtonPress, start, button, button);
  SendMouse(control, QEvent::MouseMove, start + QPoint(20, 10), Qt::NoButton, button);
  SendMouse(control, QEvent::MouseMove, start + QPoint(40, 30), Qt::NoButton, button);
  SendMouse(control, QEvent::MouseButtonRelease, start + QPoint(40, 30), button, Qt::NoButton);
}

const QRegion TwoBars = QRegion(0, 0, 100, 10) + QRegion(20, 10, 30, 50);

class CoolFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    form = std::make_unique<QWidget>();
    form->resize(200, 150);
    control = new TCoolForm(form.get());
  }
  std::unique_ptr<QWidget> form;
  TCoolForm* control = nullptr;
};
}  // namespace

TEST_F(CoolFormTest, FillsItsFormWhichLosesItsFrame) {
  EXPECT_EQ(control->geometry(), QRect(0, 0, 200, 150));
  form->show();
  form->resize(320, 240);
  EXPECT_EQ(control->geometry(), QRect(0, 0, 320, 240));
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(control->Draggable);
  EXPECT_EQ(control->Mask->RegionOwner, control);
}

TEST_F(CoolFormTest, LeftAndTopArePinnedToTheCorner) {
  control->SetLeft(100);
  control->SetTop(100);
  EXPECT_EQ(control->left(), 0);
  EXPECT_EQ(control->top(), 0);
  control->SetWidth(50);
  control->SetHeight(40);
  EXPECT_EQ(control->width(), 50);
  EXPECT_EQ(control->height(), 40);
}

TEST_F(CoolFormTest, OnlyFormsTakeTheControl) {
  QPushButton button(form.get());
  try {
    control->SetParent(&button);
    FAIL() << "placed on a button";
  } catch (const ECoolFormError& error) {
    EXPECT_STREQ(error.what(), "Drop the CoolForm on a FORM!");
  }
  EXPECT_EQ(control->parentWidget(), form.get());
  EXPECT_THROW(TCoolForm{&button}, ECoolFormError);

  QMdiArea area;
  auto* content = new QWidget;
  area.addSubWindow(content);
  EXPECT_TRUE(TCoolForm::IsForm(content));
  EXPECT_FALSE(TCoolForm::IsForm(area.viewport()));
}

TEST_F(CoolFormTest, EmptyMaskIsFourZeroBytesBothWays) {
  EXPECT_TRUE(Read(*control, QByteArray(4, '\0')));
  EXPECT_EQ(control->Mask->RegionHandle, nullptr);
  EXPECT_EQ(control->MaskSize, 0);
  EXPECT_TRUE(form->mask().isEmpty());
  EXPECT_EQ(Written(*control), QByteArray(4, '\0'));
}

TEST_F(CoolFormTest, MaskStreamRoundTripCutsTheWindow) {
  const QByteArray stream = MaskStream(RegionToData(TwoBars));
  ASSERT_EQ(stream.size(), 4 + 32 + 16 * TwoBars.rectCount());
  ASSERT_TRUE(Read(*control, stream));
  ASSERT_NE(control->Mask->RegionHandle, nullptr);
  EXPECT_EQ(*control->Mask->RegionHandle, TwoBars);
  EXPECT_EQ(control->MaskSize, stream.size() - 4);
  EXPECT_EQ(form->mask(), TwoBars);
  EXPECT_EQ(Written(*control), stream);
}

TEST_F(CoolFormTest, RegionDataLayoutIsLittleEndianRectangles) {
  const std::vector<std::uint8_t> data = RegionToData(QRegion(1, 2, 3, 4));
  const std::vector<std::uint8_t> expected = {
      32, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 16, 0, 0, 0,  // header, one rectangle
      1,  0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 6,  0, 0, 0,  // bounds
      1,  0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 6,  0, 0, 0,  // the rectangle
  };
  EXPECT_EQ(data, expected);
}

TEST_F(CoolFormTest, RejectedRegionDataLeavesTheWindowRectangular) {
  const std::vector<std::uint8_t> good = RegionToData(TwoBars);
  auto broken = [&](std::size_t offset, std::uint8_t value) {
    std::vector<std::uint8_t> data = good;
    data[offset] = value;
    return MaskStream(data);
  };
  const QByteArray cases[] = {
      broken(0, 31),                          // header size
      broken(4, 2),                           // not rectangles
      broken(8, 200),                         // more rectangles than bytes
      broken(12, 0),                          // rectangle bytes disagree
      broken(32 + 16, 200),                   // left beyond right
      broken(32 + 16 + 15, 0x80),             // bottom far out of range
      MaskStream({1, 2, 3}),                  // shorter than a header
      MaskStream(good).left(40),              // stream ends early
      QByteArray("\xFF\xFF\xFF\xFF", 4),      // negative length
      QByteArray("\xFF\xFF\xFF\x7F", 4),      // length the stream cannot back
      QByteArray(2, '\0'),                    // no length at all
  };
  for (const QByteArray& stream : cases) {
    EXPECT_FALSE(Read(*control, stream)) << stream.toHex().toStdString();
    EXPECT_EQ(control->Mask->RegionHandle, nullptr);
    EXPECT_TRUE(form->mask().isEmpty());
    EXPECT_EQ(Written(*control), QByteArray(4, '\0'));
  }
}

TEST_F(CoolFormTest, NewPictureDropsTheMaskButKeepsTheOutline) {
  ASSERT_TRUE(Read(*control, MaskStream(RegionToData(TwoBars))));
  QPixmap picture(32, 24);
  picture.fill(Qt::red);
  control->SetPicture(picture);
  EXPECT_EQ(control->Mask->RegionHandle, nullptr);
  EXPECT_EQ(form->mask(), TwoBars);
  EXPECT_EQ(Written(*control), QByteArray(4, '\0'));
}

TEST_F(CoolFormTest, PictureIsStretchedOverTheForm) {
  QPixmap picture(2, 2);
  picture.fill(Qt::blue);
  control->SetPicture(picture);
  const QImage shot = control->grab().toImage();
  EXPECT_EQ(shot.size(), QSize(200, 150));
  EXPECT_EQ(shot.pixelColor(199, 149), QColor(Qt::blue));
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(CoolFormTest, OnlyTheLeftButtonDragsTheWindow) {
  QMdiArea area;
  area.resize(600, 400);
  auto* content = new QWidget;
  content->resize(200, 150);
  auto* child = area.addSubWindow(content);
  auto* picture = new TCoolForm(content);
  area.show();
  child->move(50, 60);

  DragBy40x30(*picture, Qt::RightButton);
  DragBy40x30(*picture, Qt::MiddleButton);
  EXPECT_EQ(child->pos(), QPoint(50, 60));

  DragBy40x30(*picture, Qt::LeftButton);
  EXPECT_EQ(child->pos(), QPoint(90, 90));

  // Moving with no button held after the release leaves it there.
  const QPoint at = picture->mapToGlobal(QPoint(5, 5));
  SendMouse(*picture, QEvent::MouseMove, at + QPoint(50, 50), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(child->pos(), QPoint(90, 90));
}
