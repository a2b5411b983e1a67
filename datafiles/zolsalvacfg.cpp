#include "datafiles/zolsalvacfg.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "datafiles/zolinifile.h"

namespace {

// Scrambling key, entries 0 to 4; the first character of a text uses entry
// 1, then 2, 3, 4, 0 and round again.
constexpr std::array<std::uint8_t, 5> ScrambleKey = {0x2A, 0x13, 0x6D, 0x05, 0x58};
static_assert(ScrambleKey.size() == 5);

std::string NameOf(const QObject* object) { return object->objectName().toStdString(); }

// Names Qt gives the inner parts of its compound widgets; they are not
// components of the form.
bool IsComponent(const QObject* object) {
  const QString name = object->objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

bool IsForm(const QWidget* widget) {
  const Qt::WindowType type = widget->windowType();
  return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool || type == Qt::SubWindow;
}

// The text an edit box or scroll bar contributes; empty for anything else.
std::string ValueOf(QWidget* child) {
  if (auto* edit = qobject_cast<QLineEdit*>(child)) return edit->text().toStdString();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(child)) return edit->toPlainText().toStdString();
  if (auto* edit = qobject_cast<QTextEdit*>(child)) return edit->toPlainText().toStdString();
  if (auto* bar = qobject_cast<QAbstractSlider*>(child)) return std::to_string(bar->value());
  return {};
}

void ApplyValue(QWidget* child, const std::string& value) {
  const QString text = QString::fromStdString(value);
  if (auto* edit = qobject_cast<QLineEdit*>(child)) edit->setText(text);
  else if (auto* edit = qobject_cast<QPlainTextEdit*>(child)) edit->setPlainText(text);
  else if (auto* edit = qobject_cast<QTextEdit*>(child)) edit->setPlainText(text);
  else if (auto* bar = qobject_cast<QAbstractSlider*>(child)) bar->setValue(TZolSaveCfg::StrToInt(value));
}

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

TZolSaveCfg::TZolSaveCfg(QObject* owner) : QObject(owner) {}

std::string TZolSaveCfg::Scramble(std::string_view text, bool on) {
  std::string out(text);
  if (!on) return out;
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(out[i] ^ ScrambleKey[(i + 1) % ScrambleKey.size()]);
  return out;
}

int TZolSaveCfg::StrToInt(std::string_view text) {
  const auto fail = [text]() {
    std::string message = "'";
    message.append(text).append("' is not a valid integer value");
    return EConvertError(message);
  };
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) throw fail();
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw fail();
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t(std::numeric_limits<int>::max()) + 1) throw fail();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) throw fail();
  return static_cast<int>(value);
}

void TZolSaveCfg::SetForms(const QList<QWidget*>& forms) {
  forms_.clear();
  for (QWidget* form : forms) forms_.append(form);
}

QList<QWidget*> TZolSaveCfg::Forms() const {
  QList<QWidget*> forms;
  if (!forms_.isEmpty()) {
    for (const QPointer<QWidget>& form : forms_)
      if (form && IsComponent(form)) forms.append(form);
    return forms;
  }
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (IsForm(widget) && IsComponent(widget)) forms.append(widget);
  std::sort(forms.begin(), forms.end(),
            [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
  return forms;
}

// The form's components in creation order, leaving out those that belong to
// another visited form placed inside this one (a sub-window, for example).
QList<QWidget*> TZolSaveCfg::ChildrenOf(QWidget* form, const QList<QWidget*>& forms) const {
  QList<QWidget*> children;
  for (QWidget* child : form->findChildren<QWidget*>()) {
    bool inOtherForm = false;
    for (QWidget* up = child; up && up != form && !inOtherForm; up = up->parentWidget())
      inOtherForm = forms.contains(up);
    if (!inOtherForm && IsComponent(child)) children.append(child);
  }
  return children;
}

bool TZolSaveCfg::SalvarCFG(const std::string& fileName, bool scramble) {
  if (fileName.empty()) return false;
  Encriptar = scramble;
  try {
    TIniFile ini(fileName);
    ini.WriteString("Encript", "Enable", Encriptar ? "1" : "0");
    const QList<QWidget*> forms = Forms();
    for (QWidget* form : forms) {
      const std::string section = Code(NameOf(form));
      ini.WriteString(section, "_X", Code(std::to_string(form->x())));
      ini.WriteString(section, "_Y", Code(std::to_string(form->y())));
      ini.WriteString(section, "_Width", Code(std::to_string(form->width())));
      ini.WriteString(section, "_Height", Code(std::to_string(form->height())));
      ini.WriteString(section, "Max", Code(form->isMaximized() ? "1" : "0"));
      for (QWidget* child : ChildrenOf(form, forms)) {
        const std::string value = ValueOf(child);
        if (!value.empty()) ini.WriteString(section, Code(NameOf(child)), Code(value));
      }
    }
    ini.UpdateFile();
    return true;
  } catch (const EIniFileError&) {
    return false;
  }
}

bool TZolSaveCfg::Salvar() { return SalvarCFG(FileName, Encriptar); }

bool TZolSaveCfg::LerCFG(const std::string& fileName) {
  if (!IsExistingFile(fileName)) return false;
  const TIniFile ini(fileName);
  Encriptar = (StrToInt(ini.ReadString("Encript", "Enable", "0")) & 0xFF) != 0;
  try {
    const QList<QWidget*> forms = Forms();
    for (QWidget* form : forms) {
      const std::string section = Code(NameOf(form));
      const auto read = [&](const char* key, int current) {
        return StrToInt(Code(ini.ReadString(section, key, Code(std::to_string(current)))));
      };
      form->move(read("_X", form->x()), form->y());
      form->move(form->x(), read("_Y", form->y()));
      form->resize(read("_Width", form->width()), form->height());
      form->resize(form->width(), read("_Height", form->height()));
      if ((read("Max", 0) & 0xFF) == 1) form->setWindowState(form->windowState() | Qt::WindowMaximized);
      for (QWidget* child : ChildrenOf(form, forms)) {
        try {
          const std::string value = Code(ini.ReadString(section, Code(NameOf(child)), ""));
          if (!value.empty()) ApplyValue(child, value);
        } catch (const EConvertError&) {
          // One unreadable component never stops the others.
        }
      }
    }
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

bool TZolSaveCfg::Ler() { return LerCFG(FileName); }
