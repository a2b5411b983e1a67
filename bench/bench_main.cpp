// The benchmark program's entry. Besides Google Benchmark's own flags it
// takes --zv-path=plain|sse2|avx2, which runs every pixel routine on that
// version, so each version can be measured on one machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "present/PixelPaths.h"

int main(int argc, char** argv) {
  constexpr std::string_view PathFlag = "--zv-path=";
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.substr(0, PathFlag.size()) != PathFlag) {
      rest.push_back(argv[i]);
      continue;
    }
    const auto path = ParsePixelPath(arg.substr(PathFlag.size()));
    if (!path) {
      std::fprintf(stderr, "%s: unknown path in %s (plain, sse2 or avx2)\n", argv[0], argv[i]);
      return 2;
    }
    if (!SetPixelPath(*path)) {
      std::fprintf(stderr, "%s: this processor cannot run the %s path\n", argv[0], argv[i] + PathFlag.size());
      return 2;
    }
  }
  int count = static_cast<int>(rest.size());
  rest.push_back(nullptr);
  benchmark::Initialize(&count, rest.data());
  if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
  benchmark::AddCustomContext("zv-path", std::string(PixelPathName(CurrentPixelPath())));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
