#include "shell/Editor.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "shell/CoolForm.h"
#include "shell/MinimapControl.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"

namespace {
constexpr QSize ClientSize(290, 282);
constexpr char OverviewPicture[] = ":/glyphs/overview.png";
// The overview picture is 320 x 240 pixels with a wooden frame 14 pixels wide.
constexpr QSize PictureSize(320, 240);
constexpr int PictureFrame = 14;
}  // namespace

TTelaMapa::TTelaMapa() {
  setWindowTitle(QStringLiteral("TelaMapa"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  resize(ClientSize);
  CoolForm1 = new TCoolForm(this);
  // The window's design stores no outline: a "Mask2" of four zero bytes.
  QByteArray mask(4, '\0');
  QBuffer stream(&mask);
  stream.open(QIODevice::ReadOnly);
  CoolForm1->ReadMask(stream);
  // Without the picture resource the window still opens, just empty.
  CoolForm1->SetPicture(QPixmap(QString::fromLatin1(OverviewPicture)));
  Minimap1 = new TMinimapControl(CoolForm1);
  Minimap1->PlaceIn(Parchment());
}

void TTelaMapa::ShowMinimap(TForm2* view, bool on) {
  Minimap1->SetView(view);
  Minimap1->setVisible(on && view != nullptr);
}

// The picture is stretched over the form, its frame with it.
QRect TTelaMapa::Parchment() const {
  const int left = (PictureFrame * width() + PictureSize.width() - 1) / PictureSize.width();
  const int top = (PictureFrame * height() + PictureSize.height() - 1) / PictureSize.height();
  return QRect(left, top, width() - 2 * left, height() - 2 * top);
}

void TTelaMapa::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Minimap1 != nullptr) Minimap1->PlaceIn(Parchment());
}

QSize TTelaMapa::sizeHint() const { return ClientSize; }

QMdiSubWindow* TTelaMapa::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

QMdiSubWindow* TTelaMapa::ShowInArea(QMdiArea& area, const QWidget& centreOn) {
  // Above the other children: the map view takes the focus every frame,
  // which would otherwise bring it over the overview at once.
  QMdiSubWindow* child =
      area.addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->resize(child->sizeHint());
  const QPoint centre = area.viewport()->mapFromGlobal(centreOn.mapToGlobal(centreOn.rect().center()));
  child->move(centre - QPoint(child->width() / 2, child->height() / 2));
  child->show();
  return child;
}

void TTelaMapa::closeEvent(QCloseEvent* event) { FormClose(event); }

void TTelaMapa::FormClose(QCloseEvent* event) {
  event->accept();
  setAttribute(Qt::WA_DeleteOnClose);
  if (QMdiSubWindow* child = SubWindow()) child->setAttribute(Qt::WA_DeleteOnClose);
}

TTelaMapa* OverviewWindow = nullptr;

void ToggleOverview(TSpeedButton& button, QMdiArea& area, const QWidget& centreOn, TForm2* view) {
  if (button.isChecked()) {
    auto* overview = new TTelaMapa;
    OverviewWindow = overview;
    QPointer<TSpeedButton> down = &button;
    QObject::connect(overview, &QObject::destroyed, [overview, down] {
      if (OverviewWindow == overview) OverviewWindow = nullptr;
      if (down) down->setChecked(false);
    });
    overview->ShowInArea(area, centreOn);
    overview->ShowMinimap(view, MinimapOn);
  } else if (OverviewWindow != nullptr) {
    QMdiSubWindow* frame = OverviewWindow->SubWindow();
    if (frame != nullptr)
      delete frame;
    else
      delete OverviewWindow;
  }
}
