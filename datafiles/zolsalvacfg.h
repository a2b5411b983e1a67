#pragma once
// The configuration store: saves and restores the place and size of the
// application's windows and the contents of their edit boxes and scroll bars
// in an INI file, optionally with the form-specific texts scrambled.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <string_view>

// A text that should hold a decimal integer and does not.
class EConvertError : public std::runtime_error {  // "'%s' is not a valid integer value"
  using std::runtime_error::runtime_error;
};

class TZolSaveCfg : public QObject {
 public:
  // Owned by (and destroyed with) the owning form.
  explicit TZolSaveCfg(QObject* owner);

  std::string FileName;  // a local path, UTF-8
  bool Encriptar = false;

  bool SalvarCFG(const std::string& fileName, bool scramble);
  bool Salvar();
  // Raises EConvertError when the "Enable" value is not a decimal integer.
  bool LerCFG(const std::string& fileName);
  bool Ler();

  // The forms visited, in this order. Without a list the store visits the
  // application's top-level windows, ordered by name.
  void SetForms(const QList<QWidget*>& forms);

  // Scrambles or unscrambles (its own inverse) one text when on is true.
  static std::string Scramble(std::string_view text, bool on);
  // A decimal integer of 32 bits, leading spaces and a sign allowed.
  static int StrToInt(std::string_view text);

 private:
  QList<QWidget*> Forms() const;
  QList<QWidget*> ChildrenOf(QWidget* form, const QList<QWidget*>& forms) const;
  std::string Code(std::string_view text) const { return Scramble(text, Encriptar); }

  QList<QPointer<QWidget>> forms_;
};
