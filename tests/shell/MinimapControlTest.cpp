// The overview window's minimap: what it paints and where, how it follows the
// map and the view, and which presses centre the view and which still drag
// the window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdlib>
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

namespace {

// Records where the control is repainted.
class TPaintRecorder : public QObject {
 public:
  QRegion painted;
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted += static_cast<QPaintEvent*>(event)->region();
      ++paints;
    }
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
  // Minimap pixel (x, y) in form coordinates.
  QPoint FormPoint(int x, int y) const { return minimap->mapTo(form, minimap->MapRect().topLeft() + QPoint(x, y)); }
  // The middle of tile (x, y)'s cell in the control's coordinates.
  QPoint CellMiddle(int x, int y) const {
    const int cell = minimap->Cell();
    return minimap->MapRect().topLeft() + QPoint((x - 1) * cell + cell / 2, (y - 1) * cell + cell / 2);
  }
  void Send(QWidget* to, QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(to->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
  }
  // Whether minimap pixel (x, y) lies on the outline's lines.
  bool OnOutline(int x, int y) const {
    const TMinimapArea o = minimap->Outline();
    const bool acrossX = x >= o.Left - 1 && x <= o.Right;
    const bool acrossY = y >= o.Top - 1 && y <= o.Bottom;
    const bool nearX = std::abs(x - o.Left) <= 1 || std::abs(x - (o.Right - 1)) <= 1;
    const bool nearY = std::abs(y - o.Top) <= 1 || std::abs(y - (o.Bottom - 1)) <= 1;
    return (nearX && acrossY) || (nearY && acrossX);
  }
  void ExpectCellsShowTheRecord() {
    const QImage shot = Grab();
    const TGroundState ground = GroundStateOf(map.Record());
    const int cell = minimap->Cell();
    int checked = 0;
    for (int y = 1; y <= 96; ++y)
      for (int x = 1; x <= 96; ++x)
        for (int dy = 0; dy < cell; ++dy)
          for (int dx = 0; dx < cell; ++dx) {
            const int px = (x - 1) * cell + dx, py = (y - 1) * cell + dy;
            if (OnOutline(px, py)) continue;
            ++checked;
            const QPoint at = FormPoint(px, py);
            ASSERT_EQ(shot.pixel(at) | 0xFF000000u, MinimapColor(map.Record().tiles[x][y], ground))
                << "tile " << x << "," << y;
          }
    EXPECT_GT(checked, 96 * 96 * cell * cell * 9 / 10);
  }

  std::unique_ptr<QMdiArea> area;
  TForm2* view = nullptr;    // owned by the area
  TTelaMapa* form = nullptr;  // owned by the area
  TMinimapControl* minimap = nullptr;
  TMapa map;
};

TEST_F(MinimapControlTest, OffTheOverviewIsItsPicturePixelForPixel) {
  const QImage picture = Grab();
  EXPECT_FALSE(minimap->isVisible());
  form->ShowMinimap(view, true);
  EXPECT_NE(Grab(), picture);
  form->ShowMinimap(view, false);
  EXPECT_EQ(Grab(), picture);
  // Without a view there is nothing to show.
  form->ShowMinimap(nullptr, true);
  EXPECT_FALSE(minimap->isVisible());
  EXPECT_EQ(Grab(), picture);
  // The picture control keeps its outline, mask and corner.
  EXPECT_EQ(form->CoolForm1->geometry(), QRect(0, 0, 290, 282));
  EXPECT_EQ(form->CoolForm1->Mask->RegionHandle, nullptr);
}

TEST_F(MinimapControlTest, DrawsEveryTileInsideTheParchmentAndOutlinesTheView) {
  form->ShowMinimap(view, true);
  const QRect map = QRect(minimap->mapTo(form, minimap->MapRect().topLeft()), minimap->MapRect().size());
  EXPECT_GE(minimap->Cell(), 2);
  EXPECT_EQ(map.width(), 96 * minimap->Cell());
  EXPECT_TRUE(form->Parchment().contains(minimap->geometry())) << "inside the wooden frame";
  ExpectCellsShowTheRecord();

  // The outline follows scrolling, zoom and the view's size.
  struct TStep {
    int viewX, viewY, tileSize, clientWidth, clientHeight;
  };
  for (const TStep& step : {TStep{0, 0, 24, 317, 224}, TStep{40, 50, 24, 317, 224}, TStep{40, 50, 48, 317, 224},
                            TStep{10, 20, 12, 517, 424}, TStep{83, 87, 24, 317, 224}}) {
    view->SetClientSize(step.clientWidth, step.clientHeight);
    view->BarraHorizontal->setValue(step.viewX);
    view->BarraVertical->setValue(step.viewY);
    TileSize = static_cast<unsigned char>(step.tileSize);
    minimap->Follow();
    const TMinimapArea expected =
        MinimapViewArea({ViewX, ViewY, TileSize, view->Tela->width(), view->Tela->height()}, minimap->Cell());
    ASSERT_FALSE(expected.Empty());
    EXPECT_EQ(minimap->Outline(), expected);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(FormPoint(expected.Left, expected.Top)), 0xFFFFFFFFu) << "white inside";
    EXPECT_EQ(shot.pixel(FormPoint(expected.Right - 1, expected.Bottom - 1)), 0xFFFFFFFFu);
    if (expected.Left > 0) {
      EXPECT_EQ(shot.pixel(FormPoint(expected.Left - 1, expected.Top + 2)), 0xFF000000u) << "black outside";
    }
  }
}

TEST_F(MinimapControlTest, PressAndDragOnTheMapCentreTheView) {
  form->ShowMinimap(view, true);
  Send(minimap, QEvent::MouseButtonPress, CellMiddle(60, 50), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(ViewX, CentredScroll(60, 300, 24));
  EXPECT_EQ(ViewY, CentredScroll(50, 207, 24));
  EXPECT_EQ(ViewX, 53);
  const TMinimapArea outline = minimap->Outline();
  EXPECT_EQ(outline, MinimapViewArea({53, ViewY, 24, 300, 207}, minimap->Cell()));

  // Dragged on, and past the map's corner: the scroll limits hold.
  Send(minimap, QEvent::MouseMove, CellMiddle(30, 20), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ViewX, CentredScroll(30, 300, 24));
  EXPECT_EQ(ViewY, CentredScroll(20, 207, 24));
  Send(minimap, QEvent::MouseMove, minimap->rect().bottomRight() + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ViewX, 83);
  EXPECT_EQ(ViewY, 87);
  Send(minimap, QEvent::MouseMove, QPoint(-50, -50), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ViewX, 0);
  EXPECT_EQ(ViewY, 0);
  Send(minimap, QEvent::MouseButtonRelease, QPoint(-50, -50), Qt::LeftButton, Qt::NoButton);
  Send(minimap, QEvent::MouseMove, CellMiddle(60, 60), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(ViewX, 0);

  // Other buttons do nothing on the map.
  Send(minimap, QEvent::MouseButtonPress, CellMiddle(60, 60), Qt::RightButton, Qt::RightButton);
  Send(minimap, QEvent::MouseButtonPress, CellMiddle(60, 60), Qt::MiddleButton, Qt::MiddleButton);
  EXPECT_EQ(ViewX, 0);
  EXPECT_EQ(ViewY, 0);
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
  // The parchment beside the map, and the dark line framing the map.
  EXPECT_EQ(dragFrom(form->CoolForm1, QPoint(20, 30)), QPoint(15, 10));
  EXPECT_EQ(dragFrom(minimap, QPoint(0, 50)), QPoint(15, 10));
  EXPECT_EQ(ViewX, 0);
  EXPECT_EQ(ViewY, 0);
  // With the minimap off, a press where the map was drags as well.
  form->ShowMinimap(view, false);
  EXPECT_EQ(dragFrom(form->CoolForm1, minimap->geometry().center()), QPoint(15, 10));
  EXPECT_EQ(ViewX, 0);
}

TEST_F(MinimapControlTest, FollowsTheMapRepaintingOnlyWhatChanged) {
  form->ShowMinimap(view, true);
  TPaintRecorder recorder;
  minimap->installEventFilter(&recorder);
  QTest::qWait(50);  // the first showing's painting
  recorder.painted = {};
  recorder.paints = 0;

  // Nothing changed: nothing painted.
  minimap->Follow();
  QCoreApplication::processEvents();
  EXPECT_EQ(recorder.paints, 0);

  // One tile: its cell alone.
  map.Record().tiles[70][10] = {0, 0, tkHouse};
  minimap->Follow();
  QCoreApplication::processEvents();
  const int cell = minimap->Cell();
  EXPECT_EQ(recorder.painted.boundingRect(),
            QRect(minimap->MapRect().topLeft() + QPoint(69 * cell, 9 * cell), QSize(cell, cell)));

  // A scroll: the old and new outline's lines, not the map.
  recorder.painted = {};
  view->BarraHorizontal->setValue(30);
  minimap->Follow();
  QCoreApplication::processEvents();
  int area = 0;
  for (const QRect& r : recorder.painted) area += r.width() * r.height();
  EXPECT_GT(area, 0);
  EXPECT_LT(area, 96 * cell * 96 * cell / 8);

  // A replaced record (a load, a new ranch) shows in full.
  TMapa other;
  RandomSeed(22);
  other.Generate();
  map.Record() = other.Record();
  minimap->Follow();
  ExpectCellsShowTheRecord();
}

TEST_F(MinimapControlTest, FollowsByItselfWithinAQuarterSecond) {
  static_assert(TMinimapControl::FollowInterval <= 250);
  form->ShowMinimap(view, true);
  map.Record().tiles[5][5] = {0, 0, tkHouse};
  view->BarraVertical->setValue(40);
  const QPoint at = FormPoint(4 * minimap->Cell(), 4 * minimap->Cell());
  QElapsedTimer clock;
  clock.start();
  // Generous: the check is that no call is needed, not how fast it comes.
  while (clock.elapsed() < 3000 && (Grab().pixel(at) != MinimapColor({0, 0, tkHouse}, TGroundState::Sun) ||
                                    minimap->Outline().Top != 40 * minimap->Cell()))
    QTest::qWait(20);
  EXPECT_EQ(Grab().pixel(at), MinimapColor({0, 0, tkHouse}, TGroundState::Sun));
  EXPECT_EQ(minimap->Outline().Top, 40 * minimap->Cell());
}

}  // namespace
