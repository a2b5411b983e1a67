#pragma once
// A map view of 300 x 207 surface pixels over a generated map, with the
// mouse events the navigation options read sent straight to its surface.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <memory>

#include "tests/view/ViewFixture.h"

class TNavigationFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    SetGameGlobalsAsAtStartUp();
    ResetViewGlobals();
    FillGroundList(chao);
    FillOtherList(outros);
    RandomSeed(5);
    map = std::make_unique<TMapa>(&host);
    map->Generate();
    view = std::make_unique<TTestView>();
    view->RanchMap = map.get();
    view->IMGChao = &chao;
    view->IMGOutros = &outros;
    chao.SetDXDraw(view->Tela);
    outros.SetDXDraw(view->Tela);
    view->SetClientSize(317, 224);  // a 300 x 207 surface
    view->show();
    view->Tela->StartDevice();
    Frame();
  }
  void TearDown() override {
    view.reset();
    ResetGameGlobals();
    ResetViewGlobals();
  }

  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) view->DXTimer1Timer(1);
  }
  void ScrollTo(int x, int y) {
    view->BarraHorizontal->setValue(x);
    view->BarraVertical->setValue(y);
  }
  // The tile under surface pixel `at`, as the tool handling finds it.
  QPoint TileAt(const QPoint& at) const { return {ViewX + at.x() / TileSize + 1, ViewY + at.y() / TileSize + 1}; }

  void Wheel(const QPoint& at, int delta) {
    QWheelEvent event(QPointF(at), QPointF(view->Tela->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->Tela, &event);
  }
  void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(view->Tela->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(view->Tela, &event);
  }

  TDXImageList chao, outros;
  TRecordingHost host;
  std::unique_ptr<TMapa> map;
  std::unique_ptr<TTestView> view;
};
