// zolmap: inspects and edits saved games ("mapa.map", the raw map record).
//
//   zolmap new [--seed N] FILE
//   zolmap info FILE
//   zolmap check FILE
//   zolmap dump FILE [X0 Y0 X1 Y1]
//   zolmap tool [--seed N] FILE TOOL X Y [X Y ...]
//   zolmap tick [--seed N] FILE DAYS
//
// `check` prints "ok" when the game would load FILE, or one line per problem
// and exits with 1. `info`, `dump`, `tool` and `tick` take any record, sound
// or not, so that a damaged file can still be looked into.
// `tool` acts as the map view does with the button held on a newly hovered
// tile and prints "applied", "refused" or "failed" per tile; a tile outside
// the playable area 1..96 is refused, as the view never acts there.
// Exit status 0 on success, 1 on a file problem, 2 on bad arguments. A
// command that fails leaves FILE as it was; writes go to a temporary file
// that then replaces FILE.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "map/Mapa.h"
#include "map/MapaCheck.h"
#include "map/Tools.h"
#include "shell/defines.h"

namespace {

constexpr int ExitFile = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage = "usage: zolmap new|info|check|dump|tool|tick ...";

// A failure to report: the one-line message and the exit status.
struct TFailure {
  std::string message;
  int status;
};

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
  return value;
}

template <typename T>
T NumberArgument(std::string_view text, std::string_view what) {
  const auto value = ParseNumber<T>(text);
  if (!value) {
    throw TFailure{"bad number for " + std::string(what) + ": '" + std::string(text) + "'",
                   ExitUsage};
  }
  return *value;
}

void ReadRecord(const std::string& path, TMapaRecord& record) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw TFailure{path + ": cannot open: " + std::strerror(errno), ExitFile};
  std::vector<unsigned char> bytes(sizeof(TMapaRecord) + 1);
  const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw TFailure{path + ": read error", ExitFile};
  if (count < sizeof(TMapaRecord)) {
    throw TFailure{path + ": short file (" + std::to_string(count) + " bytes, a saved map has " +
                       std::to_string(sizeof(TMapaRecord)) + ")",
                   ExitFile};
  }
  if (count > sizeof(TMapaRecord)) {
    throw TFailure{path + ": too long for a saved map (more than " +
                       std::to_string(sizeof(TMapaRecord)) + " bytes)",
                   ExitFile};
  }
  std::memcpy(&record, bytes.data(), sizeof(TMapaRecord));
}

// The replaced file keeps its permissions; a new one gets the usual ones.
mode_t NewFileMode(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes beside the target and renames over it, so FILE is either the old
// record or the new one, never a partial write.
void WriteRecord(const std::string& path, const TMapaRecord& record) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw TFailure{path + ": cannot create a temporary file: " + std::strerror(errno), ExitFile};
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < sizeof(TMapaRecord)) {
    const ssize_t n = ::write(fd, bytes + written, sizeof(TMapaRecord) - written);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) written += static_cast<std::size_t>(n);
  }
  const int saved = errno;
  ok = ok && ::fchmod(fd, NewFileMode(path)) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = ok ? errno : saved;
    ::unlink(temp.c_str());
    throw TFailure{path + ": cannot write: " + std::strerror(error), ExitFile};
  }
}

// The arguments after the command, with an optional leading --seed N taken out.
struct TArguments {
  std::vector<std::string_view> rest;
  std::optional<std::uint64_t> seed;
};

TArguments SplitArguments(int argc, char** argv, bool seedAllowed) {
  TArguments args;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (seedAllowed && arg == "--seed" && !args.seed && args.rest.empty()) {
      if (i + 1 >= argc) throw TFailure{"--seed needs a number", ExitUsage};
      args.seed = NumberArgument<std::uint64_t>(argv[++i], "--seed");
    } else {
      args.rest.push_back(arg);
    }
  }
  return args;
}

void SeedGenerator(const std::optional<std::uint64_t>& seed) {
  if (seed) {
    RandomSeed(*seed);
  } else {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    RandomSeed((std::uint64_t{device()} << 32U) ^ now);
  }
}

void ExpectCount(const TArguments& args, std::size_t count, std::string_view command) {
  if (args.rest.size() != count) {
    throw TFailure{"wrong number of arguments for '" + std::string(command) + "'", ExitUsage};
  }
}

int CommandNew(const TArguments& args) {
  ExpectCount(args, 1, "new");
  SeedGenerator(args.seed);
  TMapa map;
  map.Generate();
  map.AdvanceForecast();
  map.Tick(1);
  WriteRecord(std::string(args.rest[0]), map.Record());
  return 0;
}

int CommandInfo(const TArguments& args) {
  ExpectCount(args, 1, "info");
  TMapaRecord r{};
  ReadRecord(std::string(args.rest[0]), r);
  std::printf("moisture=%u\nreserved1=%u\nreserved2=%u\nweather=%u\nweatherYesterday=%u\n",
              r.moisture, r.reserved1, r.reserved2, r.weather, r.weatherYesterday);
  std::printf("forecast=%u,%u,%u,%u,%u\n", r.forecast[0], r.forecast[1], r.forecast[2],
              r.forecast[3], r.forecast[4]);
  std::printf("day=%u\nweek=%u\nmonth=%u\nyear=%u\nfunds=%d\nstartX=%u\nstartY=%u\n", r.day,
              r.week, r.month, unsigned{r.year}, static_cast<int>(r.funds), r.startX, r.startY);
  return 0;
}

int CommandCheck(const TArguments& args) {
  ExpectCount(args, 1, "check");
  TMapaRecord r{};
  ReadRecord(std::string(args.rest[0]), r);
  const std::vector<std::string> problems = CheckRecord(r);
  if (problems.empty()) std::puts("ok");
  for (const std::string& problem : problems) std::puts(problem.c_str());
  return problems.empty() ? 0 : ExitFile;
}

int GridCoordinate(std::string_view text) {
  const int value = NumberArgument<int>(text, "a coordinate");
  if (!InGrid(value, 0)) {
    throw TFailure{"coordinate " + std::string(text) + " outside the map (0..97)", ExitUsage};
  }
  return value;
}

int CommandDump(const TArguments& args) {
  if (args.rest.size() != 1 && args.rest.size() != 5) {
    throw TFailure{"wrong number of arguments for 'dump'", ExitUsage};
  }
  int x0 = 0, y0 = 0, x1 = MapSize - 1, y1 = MapSize - 1;
  if (args.rest.size() == 5) {
    x0 = GridCoordinate(args.rest[1]);
    y0 = GridCoordinate(args.rest[2]);
    x1 = GridCoordinate(args.rest[3]);
    y1 = GridCoordinate(args.rest[4]);
    if (x0 > x1 || y0 > y1) throw TFailure{"empty rectangle: X0 > X1 or Y0 > Y1", ExitUsage};
  }
  TMapaRecord r{};
  ReadRecord(std::string(args.rest[0]), r);
  std::string line;
  for (int y = y0; y <= y1; ++y) {
    line.clear();
    for (int x = x0; x <= x1; ++x) {
      if (x > x0) line += ' ';
      line += std::to_string(r.tiles[x][y].kind) + ':' + std::to_string(r.tiles[x][y].image);
    }
    std::puts(line.c_str());
  }
  return 0;
}

int CommandTool(const TArguments& args) {
  if (args.rest.size() < 4 || args.rest.size() % 2 != 0) {
    throw TFailure{"'tool' needs FILE TOOL and pairs of X Y", ExitUsage};
  }
  const auto tool = ToolFromName(args.rest[1]);
  if (!tool) throw TFailure{"unknown tool '" + std::string(args.rest[1]) + "'", ExitUsage};
  std::vector<std::pair<int, int>> tiles;
  for (std::size_t i = 2; i < args.rest.size(); i += 2) {
    tiles.emplace_back(NumberArgument<int>(args.rest[i], "X"),
                       NumberArgument<int>(args.rest[i + 1], "Y"));
  }
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  SeedGenerator(args.seed);
  for (const auto& [x, y] : tiles) {
    const char* outcome = "refused";
    // The view never acts outside the playable area.
    if (InPlayable(x, y) &&
        ToolVerdict(*tool, map.Tile(x, y), map.Record().funds) != tvRefused) {
      outcome = "failed";
      if (ToolAction(map, *tool, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y))) {
        map.ChangeFunds(-ToolCost[*tool]);
        outcome = "applied";
      }
    }
    std::printf("%s %d %d\n", outcome, x, y);
  }
  WriteRecord(path, map.Record());
  return 0;
}

int CommandTick(const TArguments& args) {
  ExpectCount(args, 2, "tick");
  std::uint64_t days = NumberArgument<std::uint64_t>(args.rest[1], "DAYS");
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  SeedGenerator(args.seed);
  constexpr std::uint64_t MaxStep = std::numeric_limits<std::uint8_t>::max();
  while (days > 0) {
    const std::uint64_t step = days < MaxStep ? days : MaxStep;
    map.Tick(static_cast<std::uint8_t>(step));
    days -= step;
  }
  WriteRecord(path, map.Record());
  return 0;
}

int Run(int argc, char** argv) {
  if (argc < 2) throw TFailure{"no command given; " + std::string(Usage), ExitUsage};
  const std::string_view command = argv[1];
  SoundOn = false;  // the tool is silent
  if (command == "new") return CommandNew(SplitArguments(argc, argv, true));
  if (command == "info") return CommandInfo(SplitArguments(argc, argv, false));
  if (command == "check") return CommandCheck(SplitArguments(argc, argv, false));
  if (command == "dump") return CommandDump(SplitArguments(argc, argv, false));
  if (command == "tool") return CommandTool(SplitArguments(argc, argv, true));
  if (command == "tick") return CommandTick(SplitArguments(argc, argv, true));
  throw TFailure{"unknown command '" + std::string(command) + "'", ExitUsage};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const TFailure& failure) {
    std::fprintf(stderr, "zolmap: %s\n", failure.message.c_str());
    return failure.status;
  }
}
