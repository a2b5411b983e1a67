#pragma once
// Answers the modal dialogs that a command opens, through the dialogs' own
// API, while the command runs its dialog's event loop. A dialog that no
// answer is left for, or that stays open too long, is rejected, so a test
// fails instead of hanging.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

class QFileDialog;
class QMessageBox;

class TDialogAnswers : public QObject {
 public:
  using TAnswer = std::function<void(QWidget*)>;

  TDialogAnswers();
  ~TDialogAnswers() override;

  // The next modal dialog to open gets this answer.
  TDialogAnswers& Then(TAnswer answer);

  // Titles of the dialogs seen, in order, answered or not.
  std::vector<QString> Titles;
  // For each dialog seen: whether the map view held still under it.
  std::vector<bool> InputLocked;
  // Dialogs that opened with no answer left for them.
  int Unexpected = 0;

 private:
  void Check();
  std::deque<TAnswer> answers_;
  std::vector<QPointer<QWidget>> seen_;  // every dialog answered so far
  QPointer<QWidget> current_;
  int currentAge_ = 0;
  QTimer timer_;
};

// Answers for the common dialogs; each records what the dialog showed.
struct TFileDialogSeen {
  QString title, directory, proposed, filter;
  bool saving = false;
};
TDialogAnswers::TAnswer ChooseFile(const QString& path, TFileDialogSeen* seen = nullptr);
TDialogAnswers::TAnswer CancelFileDialog();

struct TMessageBoxSeen {
  QString text, defaultButton;
  std::vector<QString> buttons;
};
// Clicks the button with this caption; an empty caption presses the default
// button as Enter would.
TDialogAnswers::TAnswer ClickButton(const QString& caption, TMessageBoxSeen* seen = nullptr);
