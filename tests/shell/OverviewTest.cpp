#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "CommandsTestApp.h"
#include "shell/CoolForm.h"
#include "shell/Editor.h"

namespace {
void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
}  // namespace

TEST(OverviewTest, OpensCentredWithItsPictureFillingIt) {
  TestApp();
  QWidget main;
  main.resize(800, 600);
  auto* area = new QMdiArea(&main);
  area->setGeometry(main.rect());
  main.show();

  QPointer<TTelaMapa> form = new TTelaMapa;
  QMdiSubWindow* child = form->ShowInArea(*area, main);
  EXPECT_EQ(form->windowTitle(), "TelaMapa");
  EXPECT_EQ(form->size(), QSize(290, 282));
  EXPECT_EQ(form->CoolForm1->geometry(), QRect(0, 0, 290, 282));
  EXPECT_EQ(form->CoolForm1->Mask->RegionHandle, nullptr);
  EXPECT_TRUE(child->isVisible());
  EXPECT_FALSE(child->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(child->windowFlags() & Qt::WindowSystemMenuHint);
  const QPoint centre = child->geometry().center();
  EXPECT_NEAR(centre.x(), 400, 2);
  EXPECT_NEAR(centre.y(), 300, 2);
}

// The map view takes the keyboard focus every frame, which activates it.
TEST(OverviewTest, StaysAboveTheMapViewWhenTheViewIsActivated) {
  TestApp();
  QMdiArea area;
  area.resize(700, 500);
  auto* edit = new QLineEdit;
  QMdiSubWindow* view = area.addSubWindow(edit);
  area.show();
  auto* form = new TTelaMapa;
  QMdiSubWindow* child = form->ShowInArea(area, area);
  edit->setFocus();
  QCoreApplication::processEvents();
  ASSERT_EQ(area.activeSubWindow(), view);
  const QObjectList stack = area.viewport()->children();
  EXPECT_GT(stack.indexOf(child), stack.indexOf(view));
}

TEST(OverviewTest, SystemCloseDestroysTheWholeChildWindow) {
  TestApp();
  QMdiArea area;
  area.resize(700, 500);
  area.show();
  QPointer<TTelaMapa> form = new TTelaMapa;
  QPointer<QMdiSubWindow> child = form->ShowInArea(area, area);
  child->close();
  RunDeferredDeletes();
  EXPECT_TRUE(form.isNull());
  EXPECT_TRUE(child.isNull());
  EXPECT_TRUE(area.subWindowList().isEmpty());
}
