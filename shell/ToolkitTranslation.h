#pragma once
// The toolkit's own texts (file dialogs, message boxes) in the game's
// language, from the toolkit's translations installed with it; a language
// names its locale in its companion file.
#include <QTranslator>
#include <memory>
#include <string_view>

class TToolkitTranslation {
 public:
  TToolkitTranslation() = default;
  ~TToolkitTranslation();

  // Installs the toolkit's translation for `locale` ("pt_BR", "en") in place
  // of the one before; an empty or unknown locale, or one with no
  // translation installed, leaves the toolkit's texts untranslated.
  void Follow(std::string_view locale);

  bool Installed() const { return translator_ != nullptr; }

 private:
  void Remove();
  std::unique_ptr<QTranslator> translator_;
};

// Whether the text can name a locale: letters, digits and '_' only, short.
bool PlausibleLocaleName(std::string_view locale);
