// The drawing-surface widget: starting inside a form, resizing, presenting.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWidget>

#include "present/DXDraw.h"
#include "present/DXImageList.h"
#include "tests/present/PresentTestSupport.h"

namespace {

struct Form : WithApp {
  Form() {
    form.resize(200, 150);
    draw = new TDXDraw(&form);
    draw->setGeometry(0, 0, 100, 80);
  }
  QWidget form;
  TDXDraw* draw;  // owned by the form
};

TEST(DXDraw, StartsOnFirstShowAtTheControlSize) {
  Form f;
  EXPECT_FALSE(f.draw->Started());
  f.form.show();
  ASSERT_TRUE(f.draw->Started());
  EXPECT_TRUE(f.draw->ReadyToDraw());
  EXPECT_EQ(f.draw->BackSurface()->Width(), 100);
  EXPECT_EQ(f.draw->BackSurface()->Height(), 80);
  f.draw->resize(0, 0);
  EXPECT_EQ(f.draw->BackSurface()->Width(), 1);
  EXPECT_EQ(f.draw->BackSurface()->Height(), 1);
}

TEST(DXDraw, WithoutAFormItCannotStart) {
  TestApp();
  TDXDraw lone;
  try {
    lone.StartDevice();
    FAIL();
  } catch (const EDXDrawError& e) {
    EXPECT_STREQ(e.what(), "Form not found");
  }
  EXPECT_FALSE(lone.Started());
}

TEST(DXDraw, PresentedFramesShowCentredInTheControl) {
  Form f;
  f.form.show();
  f.draw->BackSurface()->Fill(0xFFFF0000u);
  f.draw->PresentFrame();
  QImage shot = f.draw->grab().toImage();
  EXPECT_EQ(shot.pixel(50, 40), 0xFFFF0000u);

  f.draw->AutoSize = false;
  f.draw->resize(120, 100);  // the surface keeps 100 x 80
  f.draw->BackSurface()->Fill(0xFF00FF00u);
  f.draw->PresentFrame();
  shot = f.draw->grab().toImage();
  EXPECT_EQ(shot.pixel(10, 10), 0xFF00FF00u);
  EXPECT_EQ(shot.pixel(109, 89), 0xFF00FF00u);
  EXPECT_EQ(shot.pixel(5, 5), 0xFF000000u);
  EXPECT_EQ(shot.pixel(115, 95), 0xFF000000u);

  f.draw->Options = doStretch;
  f.draw->PresentFrame();
  shot = f.draw->grab().toImage();
  EXPECT_EQ(shot.pixel(115, 95), 0xFF00FF00u);
}

// A repaint taller than one band is put together from bands that meet
// exactly, whatever the height and wherever the part starts.
TEST(DXDraw, TallRepaintsShowEveryRowOnce) {
  TestApp();
  QWidget form;
  form.resize(80, 3 * TDXDraw::PresentBandRows + 40);
  auto* draw = new TDXDraw(&form);
  draw->setGeometry(0, 0, 37, 3 * TDXDraw::PresentBandRows + 13);
  form.show();
  TDirectDrawSurface& back = *draw->BackSurface();
  for (int y = 0; y < back.Height(); ++y) {
    std::uint32_t* row = back.Row(y);
    for (int x = 0; x < back.Width(); ++x) row[x] = 0xFF000000u | static_cast<std::uint32_t>(y << 8 | x);
  }
  draw->PresentFrame();
  for (const QRect& part : {draw->rect(), QRect(3, 5, 30, 2 * TDXDraw::PresentBandRows + 1)}) {
    QImage shot(draw->size(), QImage::Format_RGB32);
    shot.fill(Qt::white);
    draw->render(&shot, QPoint(), QRegion(part));  // the part lands at the corner
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const bool inside = part.translated(-part.topLeft()).contains(x, y);
        const QPoint at = QPoint(x, y) + part.topLeft();
        const QRgb want = inside ? (0xFF000000u | static_cast<QRgb>(at.y() << 8 | at.x())) : 0xFFFFFFFFu;
        ASSERT_EQ(shot.pixel(x, y), want) << "at " << x << ", " << y << " of part " << part.y();
      }
  }
}

TEST(DXDraw, ImageListsFollowTheWidgetToItsEnd) {
  Form f;
  TDXImageList list;
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture = SolidBitmap(48, 48, 0xFF123456u);
  item.PatternWidth = 24;
  item.PatternHeight = 24;
  list.SetDXDraw(f.draw);
  f.form.show();
  EXPECT_EQ(item.PatternCount(), 4);
  delete f.draw;
  EXPECT_EQ(list.DXDraw(), nullptr);
  EXPECT_EQ(item.PatternCount(), 0);
}

TEST(DXDraw, MouseMovesReachTheHandler) {
  Form f;
  int seenX = -1, seenY = -1;
  f.draw->OnMouseMove = [&](TDXDraw&, int x, int y, Qt::KeyboardModifiers) {
    seenX = x;
    seenY = y;
  };
  QMouseEvent move(QEvent::MouseMove, QPointF(12, 34), QPointF(12, 34), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(f.draw, &move);
  EXPECT_EQ(seenX, 12);
  EXPECT_EQ(seenY, 34);
}

}  // namespace

namespace {

int Area(const QRegion& region) {
  int area = 0;
  for (const QRect& r : region) area += r.width() * r.height();
  return area;
}

// Only what differs from the frame on screen is copied and repainted; a new
// surface, a moved target or a stretched frame goes whole.
TEST(DXDraw, PresentsOnlyWhatChanged) {
  Form f;
  f.form.show();
  TDirectDrawSurface& back = *f.draw->BackSurface();
  back.Fill(0xFF101010u);
  f.draw->PresentFrame();
  EXPECT_EQ(f.draw->PresentedRegion(), QRegion(f.draw->rect()));

  f.draw->PresentFrame();  // nothing drawn
  EXPECT_TRUE(f.draw->PresentedRegion().isEmpty());
  back.Fill(0xFF101010u);  // drawn again, the same pixels
  f.draw->PresentFrame();
  EXPECT_TRUE(f.draw->PresentedRegion().isEmpty());

  TDirectDrawSurface square(4, 4);
  square.Fill(0xFFFFFF00u);
  back.Canvas().CopyRect({10, 20, 14, 24}, square, {0, 0, 4, 4});
  back.Canvas().CopyRect({60, 20, 64, 24}, square, {0, 0, 4, 4});
  back.Canvas().CopyRect({60, 50, 64, 54}, square, {0, 0, 4, 4});
  f.draw->PresentFrame();
  EXPECT_EQ(Area(f.draw->PresentedRegion()), 3 * 16);
  EXPECT_TRUE(f.draw->PresentedRegion().contains(QPoint(61, 51)));
  EXPECT_EQ(f.draw->FrontImage().pixel(13, 23), 0xFFFFFF00u);
  EXPECT_EQ(f.draw->FrontImage().pixel(14, 23), 0xFF101010u);

  f.draw->resize(90, 70);  // a new surface
  f.draw->BackSurface()->Fill(0xFF202020u);
  f.draw->PresentFrame();
  EXPECT_EQ(f.draw->PresentedRegion(), QRegion(f.draw->rect()));
  EXPECT_EQ(f.draw->FrontImage().size(), QSize(90, 70));
}

}  // namespace
