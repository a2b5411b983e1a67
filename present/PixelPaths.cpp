#include "present/PixelPaths.h"

namespace {

bool CpuHas(TPixelPath path) {
  switch (path) {
    case TPixelPath::Plain:
      return true;
    case TPixelPath::Sse2:
      return Sse2PixelRoutines() != nullptr;
    case TPixelPath::Avx2:
#if defined(__x86_64__) && defined(__GNUC__)
      return Avx2PixelRoutines() != nullptr && __builtin_cpu_supports("avx2");
#else
      return false;
#endif
  }
  return false;
}

const TPixelRoutines& RoutinesOf(TPixelPath path) {
  switch (path) {
    case TPixelPath::Sse2:
      return *Sse2PixelRoutines();
    case TPixelPath::Avx2:
      return *Avx2PixelRoutines();
    case TPixelPath::Plain:
      break;
  }
  return PlainPixelRoutines();
}

}  // namespace

const TPixelRoutines* ActivePixelRoutines = nullptr;

bool PixelPathSupported(TPixelPath path) { return CpuHas(path); }

TPixelPath BestPixelPath() {
  for (TPixelPath path : {TPixelPath::Avx2, TPixelPath::Sse2})
    if (CpuHas(path)) return path;
  return TPixelPath::Plain;
}

const TPixelRoutines& PickPixelRoutines() {
  if (ActivePixelRoutines == nullptr) ActivePixelRoutines = &RoutinesOf(BestPixelPath());
  return *ActivePixelRoutines;
}

bool SetPixelPath(TPixelPath path) {
  if (!CpuHas(path)) return false;
  ActivePixelRoutines = &RoutinesOf(path);
  return true;
}

TPixelPath CurrentPixelPath() { return PixelRoutines().Path; }

std::string_view PixelPathName(TPixelPath path) {
  switch (path) {
    case TPixelPath::Plain:
      return "plain";
    case TPixelPath::Sse2:
      return "sse2";
    case TPixelPath::Avx2:
      return "avx2";
  }
  return "plain";
}

std::optional<TPixelPath> ParsePixelPath(std::string_view name) {
  for (TPixelPath path : {TPixelPath::Plain, TPixelPath::Sse2, TPixelPath::Avx2})
    if (name == PixelPathName(path)) return path;
  return std::nullopt;
}
