#pragma once
// The overview window: a small child window of the main window showing the
// overview picture, dragged by its picture, opened and closed by BotMapa.
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class TCoolForm;
class TForm2;
class TMinimapControl;
class TSpeedButton;

class TTelaMapa : public QWidget {
 public:
  TTelaMapa();

  TCoolForm* CoolForm1;  // owned by the form
  // Over the picture, hidden unless the minimap option is on; owned by the
  // picture control.
  TMinimapControl* Minimap1 = nullptr;

  // Shows or hides the minimap of `view`'s map.
  void ShowMinimap(TForm2* view, bool on);
  // The part of the form inside the picture's wooden frame.
  QRect Parchment() const;

  // Puts the form into the document area as a child window with a small
  // caption bar and no caption buttons, centred on `centreOn`, and shows it.
  // The child window is deleted with the form when the form is closed.
  QMdiSubWindow* ShowInArea(QMdiArea& area, const QWidget& centreOn);
  // The child window frame, while the form is in a document area.
  QMdiSubWindow* SubWindow() const;

  QSize sizeHint() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormClose(QCloseEvent* event);
};

// The open overview window, if any.
extern TTelaMapa* OverviewWindow;

// BotMapa's action: while the button is down the overview window is open in
// the document area, centred on `centreOn`, with the minimap of `view` as the
// option says; the button coming up closes it. However the window goes (the
// button, its own close, the program's end), it is forgotten and the button
// comes up.
void ToggleOverview(TSpeedButton& button, QMdiArea& area, const QWidget& centreOn, TForm2* view);
