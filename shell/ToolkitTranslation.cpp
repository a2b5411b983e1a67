#include "shell/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

namespace {
constexpr std::size_t LongestLocaleName = 16;
}  // namespace

bool PlausibleLocaleName(std::string_view locale) {
  if (locale.empty() || locale.size() > LongestLocaleName) return false;
  for (const char c : locale)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

TToolkitTranslation::~TToolkitTranslation() { Remove(); }

void TToolkitTranslation::Follow(std::string_view locale) {
  Remove();
  // The text comes from a file the player may have written: it only ever
  // chooses among the translations installed with the toolkit.
  if (!PlausibleLocaleName(locale) || QCoreApplication::instance() == nullptr) return;
  auto translator = std::make_unique<QTranslator>();
  const QString name = QStringLiteral("qtbase_") + QString::fromLatin1(locale.data(), static_cast<int>(locale.size()));
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
  QCoreApplication::installTranslator(translator.get());
  translator_ = std::move(translator);
}

void TToolkitTranslation::Remove() {
  if (!translator_) return;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::removeTranslator(translator_.get());
  translator_.reset();
}
