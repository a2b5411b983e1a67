#pragma once
// The overview window: a small child window of the main window showing the
// overview picture, dragged by its picture, opened and closed by BotMapa.
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class TCoolForm;

class TTelaMapa : public QWidget {
 public:
  TTelaMapa();

  TCoolForm* CoolForm1;  // owned by the form

  // Puts the form into the document area as a child window with a small
  // caption bar and no caption buttons, centred on `centreOn`, and shows it.
  // The child window is deleted with the form when the form is closed.
  QMdiSubWindow* ShowInArea(QMdiArea& area, const QWidget& centreOn);
  // The child window frame, while the form is in a document area.
  QMdiSubWindow* SubWindow() const;

  QSize sizeHint() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormClose(QCloseEvent* event);
};
