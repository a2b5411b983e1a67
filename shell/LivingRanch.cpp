#include "shell/LivingRanch.h"

#include <QFileInfo>
#include <vector>

#include "economy/EcoFile.h"

namespace {
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
}  // namespace

QString CompanionFileName(const QString& mapPath) {
  return QFileInfo(QFile::decodeName(CompanionPath(LocalPath(mapPath)).c_str())).fileName();
}

void TLivingRanch::SetRunning(bool on) {
  running_ = on;
  if (!on || !map_) return;
  if (!eco_) {
    StartAfresh();
    return;
  }
  // Building while paused was not followed: the pastures are found again.
  eco_->MapChanged(*map_);
}

// The market's generator starts from the map itself, never from the game's
// generator, whose sequence the weather must keep.
void TLivingRanch::StartAfresh() {
  eco_ = std::make_unique<TEconomy>();
  eco_->Start(*map_, MapCrc(map_->Record()));
}

void TLivingRanch::NewRanch() {
  eco_.reset();
  if (running_ && map_) StartAfresh();
}

TCompanionResult TLivingRanch::Loaded(const QString& mapPath) {
  if (!running_ || !map_) {
    // A paused economy belongs to the ranch that was replaced.
    eco_.reset();
    return TCompanionResult::Off;
  }
  const std::string companion = CompanionPath(LocalPath(mapPath));
  if (!QFileInfo::exists(QFile::decodeName(companion.c_str()))) {
    StartAfresh();
    return TCompanionResult::Missing;
  }
  std::vector<std::uint8_t> bytes;
  auto fresh = std::make_unique<TEconomy>();
  std::optional<std::string> error = ReadCompanionFile(companion, bytes);
  if (!error) error = fresh->Load(bytes, *map_);
  if (error) {
    StartAfresh();
    return TCompanionResult::Refused;
  }
  eco_ = std::move(fresh);
  return TCompanionResult::Loaded;
}

TCompanionResult TLivingRanch::Saved(const QString& mapPath) {
  if (!Running() || !map_) return TCompanionResult::Off;
  const std::string companion = CompanionPath(LocalPath(mapPath));
  return WriteCompanionFile(companion, eco_->Save(*map_)) ? TCompanionResult::SaveFailed : TCompanionResult::Saved;
}

void TLivingRanch::DayPassed() {
  if (!Running() || !map_ || eco_->Status() == TEcoStatus::Lost) return;
  eco_->Day(*map_);
}

void TLivingRanch::Edited(std::int64_t charged) {
  if (!Running() || !map_) return;
  if (charged != 0) eco_->Built(charged);
  eco_->MapChanged(*map_);
}

void TLivingRanch::PutToolState(std::uint32_t key, std::uint32_t value) {
  if (eco_ && map_) eco_->PutToolState(*map_, key, value);
}

std::optional<TNews> TLivingRanch::PopNews() {
  if (!Running()) return std::nullopt;
  return eco_->PopNews();
}
