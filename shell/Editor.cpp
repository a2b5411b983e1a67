#include "shell/Editor.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/CoolForm.h"

namespace {
constexpr QSize ClientSize(290, 282);
constexpr char OverviewPicture[] = ":/glyphs/overview.png";
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
