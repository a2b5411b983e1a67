#include "DialogTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "view/VerMapa.h"

namespace {
constexpr int CheckInterval = 10;    // ms between looks for a new dialog
constexpr int LongestOpenChecks = 500;  // about 5 s: then the dialog is rejected

void Reject(QWidget* widget) {
  if (auto* dialog = qobject_cast<QDialog*>(widget))
    dialog->reject();
  else
    widget->close();
}
}  // namespace

TDialogAnswers::TDialogAnswers() {
  timer_.setInterval(CheckInterval);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
  timer_.start();
}

TDialogAnswers::~TDialogAnswers() = default;

TDialogAnswers& TDialogAnswers::Then(TAnswer answer) {
  answers_.push_back(std::move(answer));
  return *this;
}

void TDialogAnswers::Check() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) return;
  if (modal == current_) {
    if (++currentAge_ > LongestOpenChecks) Reject(modal);
    return;
  }
  current_ = modal;
  currentAge_ = 0;
  // A dialog active again once the question it asked is answered (a file
  // dialog after "replace it?") has had its answer already.
  if (std::find(seen_.begin(), seen_.end(), modal) != seen_.end()) return;
  seen_.emplace_back(modal);
  Titles.push_back(modal->windowTitle());
  InputLocked.push_back(ModalInputOpen());
  TAnswer answer;
  if (!answers_.empty()) {
    answer = std::move(answers_.front());
    answers_.pop_front();
  } else {
    ++Unexpected;
    answer = Reject;
  }
  // Answered from a fresh call, so that a dialog the answer opens in turn
  // (a question on top of a file dialog) is seen by this timer as well.
  QPointer<QWidget> target = modal;
  QTimer::singleShot(0, this, [target, answer] {
    if (target) answer(target);
  });
}

TDialogAnswers::TAnswer ChooseFile(const QString& path, TFileDialogSeen* seen) {
  return [path, seen](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    if (dialog == nullptr) return Reject(widget);
    if (seen != nullptr) {
      seen->title = dialog->windowTitle();
      seen->directory = dialog->directory().absolutePath();
      const QStringList selected = dialog->selectedFiles();
      seen->proposed = selected.isEmpty() ? QString() : QFileInfo(selected.first()).fileName();
      seen->filter = dialog->nameFilters().join(QLatin1Char(';'));
      seen->saving = dialog->acceptMode() == QFileDialog::AcceptSave;
    }
    // Typed into the file name box, as a player would: selectFile leaves a
    // box that has the focus alone.
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
      name->setText(path);
    else
      dialog->selectFile(path);
    // As the Save or Open button does; QFileDialog keeps its override protected.
    static_cast<QDialog*>(dialog)->accept();
  };
}

TDialogAnswers::TAnswer CancelFileDialog() { return Reject; }

TDialogAnswers::TAnswer ClickButton(const QString& caption, TMessageBoxSeen* seen) {
  return [caption, seen](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box == nullptr) return Reject(widget);
    if (seen != nullptr) {
      seen->text = box->text();
      seen->defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
      for (QAbstractButton* button : box->buttons()) seen->buttons.push_back(button->text());
    }
    if (caption.isEmpty()) return QTest::keyClick(box, Qt::Key_Return);
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == caption) return button->click();
    }
    Reject(widget);
  };
}
