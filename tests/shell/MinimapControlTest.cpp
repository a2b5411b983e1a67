// The overview window's minimap: what it paints and where, how it follows the
// map and the view, and which presses centre the view and which still drag
// the window.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "CommandsTestApp.h"
#include "shell/CoolForm.h"
#include "shell/Editor.h"
#include "shell/MinimapControl.h"
#include "shell/defines.h"
#include "view/VerMapa.h"
#include "view/ZoomScroll.h"

namespace {

// Records where the control is repainted.
class TPaintRecorder : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

class MinimapControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    ResetGameGlobals();
    TileSize = 24;
    RandomSeed(21);
    map.Generate();
    area = std::make_unique<QMdiArea>();
    area->resize(900, 700);
    view = new TForm2;
    area->addSubWindow(view);
    view->RanchMap = &map;
    view->SetClientSize(317, 224);  // a 300 x 207 surface
    // The bars' limits as the map drawing sets them for that surface.
    view->BarraHorizontal->setMaximum(83);
    view->BarraVertical->setMaximum(87);
    area->show();
    form = new TTelaMapa;
    form->ShowInArea(*area, *area);
    minimap = form->Minimap1;
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    area.reset();
    ResetGameGlobals();
  }

  QImage Grab() const { return form->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // Minimap pixel (x, y) in the form's coordinates.
  QPoint FormPoint(int x, int y) const { return minimap->mapTo(form, minimap->MapRect().topLeft() + QPoint(x, y)); }
  QPoint CellMiddle(int x, int y) const {
    return minimap->MapRect().topLeft() + QPoint(x - 1, y - 1) * minimap->Cell() + QPoint(1, 1);
  }
  void Send(QWidget* to, QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, to->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
  }
  // Every cell's pixel away from the outline shows its tile's colour.
  void ExpectCellsShowTheRecord() {
    const QImage shot = Grab();
    const TMinimapArea o = minimap->Outline();
    const int cell = minimap->Cell();
    for (int y = 1; y <= 96; ++y)
      for (int x = 1; x <= 96; ++x) {
        const int px = (x - 1) * cell, py = (y - 1) * cell;
        if (px >= o.Left - 2 && px <= o.Right + 1 && py >= o.Top - 2 && py <= o.Bottom + 1) continue;
        ASSERT_EQ(shot.pixel(FormPoint(px, py)) | 0xFF000000u,
                  MinimapColor(map.Record().tiles[x][y], GroundWetnessOf(map.Record())))
            << "tile " << x << "," << y;
      }
  }

  std::unique_ptr<QMdiArea> area;
  TForm2* view = nullptr;     // owned by the area
  TTelaMapa* form = nullptr;  // owned by the area
  TMinimapControl* minimap = nullptr;
  TMapa map;
};

TEST_F(MinimapControlTest, OffTheOverviewIsItsPicturePixelForPixel) {
  const QImage picture = Grab();
  form->ShowMinimap(view, true);
  EXPECT_NE(Grab(), picture);
  form->ShowMinimap(view, false);
  EXPECT_EQ(Grab(), picture);
  form->ShowMinimap(nullptr, true);  // no view: nothing to show
  EXPECT_EQ(Grab(), picture);
  EXPECT_EQ(form->CoolForm1->geometry(), QRect(0, 0, 290, 282));
  EXPECT_EQ(form->CoolForm1->Mask->RegionHandle, nullptr);
}

TEST_F(MinimapControlTest, DrawsEveryTileInTheParchmentAndOutlinesTheView) {
  form->ShowMinimap(view, true);
  EXPECT_GE(minimap->Cell(), 2);
  EXPECT_TRUE(form->Parchment().contains(minimap->geometry())) << "inside the wooden frame";
  ExpectCellsShowTheRecord();

  struct TStep {
    int viewX, viewY, tileSize, clientWidth, clientHeight;
  };
  for (const TStep& step : {TStep{40, 50, 24, 317, 224}, TStep{40, 50, 48, 317, 224}, TStep{10, 20, 12, 517, 424}}) {
    view->SetClientSize(step.clientWidth, step.clientHeight);
    view->BarraHorizontal->setValue(step.viewX);
    view->BarraVertical->setValue(step.viewY);
    TileSize = static_cast<unsigned char>(step.tileSize);
    minimap->Follow();
    const TMinimapArea expected =
        MinimapViewArea({ViewX, ViewY, TileSize, view->Tela->width(), view->Tela->height()}, minimap->Cell());
    EXPECT_EQ(minimap->Outline(), expected);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(FormPoint(expected.Left, expected.Top)), 0xFFFFFFFFu) << "white inside";
    EXPECT_EQ(shot.pixel(FormPoint(expected.Right - 1, expected.Bottom - 1)), 0xFFFFFFFFu);
    EXPECT_EQ(shot.pixel(FormPoint(expected.Left - 1, expected.Top + 2)), 0xFF000000u) << "black outside";
  }
}

TEST_F(MinimapControlTest, PressAndDragOnTheMapCentreTheViewWithinItsLimits) {
  form->ShowMinimap(view, true);
  Send(minimap, QEvent::MouseButtonPress, CellMiddle(60, 50), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(CentredScroll(60, 300, 24), CentredScroll(50, 207, 24)));
  EXPECT_EQ(minimap->Outline(), MinimapViewArea({ViewX, ViewY, 24, 300, 207}, minimap->Cell()));
  Send(minimap, QEvent::MouseMove, minimap->rect().bottomRight() + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(83, 87));
  Send(minimap, QEvent::MouseMove, QPoint(-50, -50), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(0, 0));
  Send(minimap, QEvent::MouseButtonRelease, QPoint(-50, -50), Qt::LeftButton, Qt::NoButton);
  Send(minimap, QEvent::MouseMove, CellMiddle(60, 60), Qt::NoButton, Qt::NoButton);
  Send(minimap, QEvent::MouseButtonPress, CellMiddle(60, 60), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(0, 0));
}

TEST_F(MinimapControlTest, PressesOffTheMapStillDragTheWindow) {
  form->ShowMinimap(view, true);
  QMdiSubWindow* window = form->SubWindow();
  const auto dragFrom = [&](QWidget* target, const QPoint& at) {
    const QPoint before = window->pos();
    Send(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(target, QEvent::MouseMove, at + QPoint(15, 10), Qt::NoButton, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, at + QPoint(15, 10), Qt::LeftButton, Qt::NoButton);
    return window->pos() - before;
  };
  // The parchment, the dark line framing the map, and with the minimap off
  // the place where the map was.
  EXPECT_EQ(dragFrom(form->CoolForm1, QPoint(20, 30)), QPoint(15, 10));
  EXPECT_EQ(dragFrom(minimap, QPoint(0, 50)), QPoint(15, 10));
  form->ShowMinimap(view, false);
  EXPECT_EQ(dragFrom(form->CoolForm1, minimap->geometry().center()), QPoint(15, 10));
  EXPECT_EQ(QPoint(ViewX, ViewY), QPoint(0, 0));
}

TEST_F(MinimapControlTest, FollowsTheMapAndTheViewRepaintingOnlyWhatChanged) {
  static_assert(TMinimapControl::FollowInterval <= 250, "a change shows within a quarter second");
  form->ShowMinimap(view, true);
  TPaintRecorder recorder;
  minimap->installEventFilter(&recorder);
  QTest::qWait(50);  // the first showing's painting
  const auto paintedAfter = [&](auto change) {
    recorder.painted = {};
    change();
    minimap->Follow();
    QCoreApplication::processEvents();
    return recorder.painted;
  };
  EXPECT_TRUE(paintedAfter([] {}).isEmpty());
  const int cell = minimap->Cell();
  EXPECT_EQ(paintedAfter([&] { map.Record().tiles[70][10] = {0, 0, tkHouse}; }),
            QRegion(QRect(minimap->MapRect().topLeft() + QPoint(69, 9) * cell, QSize(cell, cell))));
  // A scroll repaints the old and new outline's lines, not the map.
  int area = 0;
  for (const QRect& r : paintedAfter([&] { view->BarraHorizontal->setValue(30); })) area += r.width() * r.height();
  EXPECT_GT(area, 0);
  EXPECT_LT(area, 96 * cell * 96 * cell / 8);

  // A replaced record (a load, a new ranch) shows in full, by the control's
  // own timer.
  RandomSeed(22);
  TMapa other;
  other.Generate();
  map.Record() = other.Record();
  map.Record().tiles[5][5] = {0, 0, tkHouse};
  for (int wait = 0; wait < 100 && minimap->Picture().Pixel(5, 5) != MinimapColor({0, 0, tkHouse}, {}); ++wait)
    QTest::qWait(30);
  ExpectCellsShowTheRecord();
}

}  // namespace
