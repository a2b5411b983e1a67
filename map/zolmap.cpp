// zolmap: inspects and edits saved games ("mapa.map", the raw map record).
//
//   zolmap new [--seed N] FILE
//   zolmap info FILE
//   zolmap check FILE
//   zolmap dump FILE [X0 Y0 X1 Y1]
//   zolmap tool [--seed N] FILE TOOL X Y [X Y ...]
//   zolmap tick [--seed N] FILE DAYS
//   zolmap eco FILE
//   zolmap eco-start [--seed N] FILE
//   zolmap buy FILE PASTURE HEAD      (PASTURE: X,Y of any of its tiles)
//   zolmap sell FILE PASTURE HEAD
//   zolmap borrow FILE AMOUNT
//   zolmap repay FILE AMOUNT
//
// `check` prints "ok" when the game would load FILE, or one line per problem
// and exits with 1. `info`, `dump`, `tool` and `tick` take any record, sound
// or not, so that a damaged file can still be looked into.
// `tool` acts as the map view does with the button held on a newly hovered
// tile and prints "applied", "refused" or "failed" per tile; a tile outside
// the playable area 1..96 is refused, as the view never acts there.
// The ranch economy lives in the companion file beside FILE ("mapa.eco" for
// "mapa.map"): `eco-start` makes it, `eco` prints it, the trade and bank
// commands act on it, and `tool` and `tick` carry it along whenever it
// exists. Without one, nothing reads or writes it. A refused economy command
// says why and leaves both files as they were.
// Exit status 0 on success, 1 on a file problem or a refusal, 2 on bad
// arguments. A command that fails leaves FILE as it was; writes go to a
// temporary file that then replaces FILE.
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

#include "economy/EcoFile.h"
#include "economy/Economy.h"
#include "economy/RanchTool.h"
#include "map/Mapa.h"
#include "map/MapaCheck.h"
#include "map/Tools.h"
#include "shell/defines.h"

namespace {

constexpr int ExitFile = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage =
    "usage: zolmap new|info|check|dump|tool|tick|eco|eco-start|buy|sell|borrow|repay ...";

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

// The companion file of FILE, if there is one: loaded into `eco`. One that is
// there but refused stops the command before anything is written.
bool LoadEconomy(const std::string& path, const TMapa& map, TEconomy& eco) {
  const std::string companion = CompanionPath(path);
  struct stat info {};
  if (::stat(companion.c_str(), &info) != 0 && errno == ENOENT) return false;
  std::vector<std::uint8_t> bytes;
  auto error = ReadCompanionFile(companion, bytes);
  if (!error) error = eco.Load(bytes, map);
  if (error) {
    throw TFailure{companion + ": " + *error + "; 'zolmap eco-start' starts the economy afresh", ExitFile};
  }
  return true;
}

void RequireEconomy(const std::string& path, const TMapa& map, TEconomy& eco) {
  if (!LoadEconomy(path, map, eco)) {
    throw TFailure{CompanionPath(path) + ": no companion file; 'zolmap eco-start' makes one", ExitFile};
  }
}

// The map first: a companion file saved with a map it no longer matches is
// refused when read, never mistaken for the new one's.
void WriteBoth(const std::string& path, const TMapa& map, const TEconomy& eco) {
  WriteRecord(path, map.Record());
  if (const auto error = WriteCompanionFile(CompanionPath(path), eco.Save(map))) {
    throw TFailure{CompanionPath(path) + ": " + *error, ExitFile};
  }
}

constexpr const char* OutcomeNames[] = {"refused", "failed", "applied"};

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
  TEconomy eco;
  const bool economy = LoadEconomy(path, map, eco);
  SeedGenerator(args.seed);
  eco.StartDrag();  // the tiles of one command are one drag of the mouse
  for (const auto& [x, y] : tiles) {
    const TToolOutcome outcome = UseRanchTool(map, economy ? &eco : nullptr, *tool, x, y);
    std::printf("%s %d %d\n", OutcomeNames[static_cast<int>(outcome)], x, y);
  }
  if (economy) {
    WriteBoth(path, map, eco);
  } else {
    WriteRecord(path, map.Record());
  }
  return 0;
}

int CommandTick(const TArguments& args) {
  ExpectCount(args, 2, "tick");
  std::uint64_t days = NumberArgument<std::uint64_t>(args.rest[1], "DAYS");
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  TEconomy eco;
  const bool economy = LoadEconomy(path, map, eco);
  SeedGenerator(args.seed);
  if (economy) {
    // The economy's day follows each day's weather, so no day is skipped.
    for (; days > 0; --days) {
      map.Tick(1);
      eco.Day(map);
    }
    WriteBoth(path, map, eco);
    return 0;
  }
  constexpr std::uint64_t MaxStep = std::numeric_limits<std::uint8_t>::max();
  while (days > 0) {
    const std::uint64_t step = days < MaxStep ? days : MaxStep;
    map.Tick(static_cast<std::uint8_t>(step));
    days -= step;
  }
  WriteRecord(path, map.Record());
  return 0;
}

std::string Money(std::int64_t hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", hundredths < 0 ? "-" : "",
                static_cast<long long>((hundredths < 0 ? -hundredths : hundredths) / 100),
                static_cast<long long>((hundredths < 0 ? -hundredths : hundredths) % 100));
  return text;
}

void PrintBooks(const TBooks& b) {
  std::printf(
      "month %04u-%02u opening=%lld sales=%lld purchases=%lld upkeep=%lld interest=%lld "
      "building=%lld borrowed=%lld repaid=%lld closing=%lld price=%s\n",
      unsigned{b.year}, unsigned{b.month}, static_cast<long long>(b.opening), static_cast<long long>(b.sales),
      static_cast<long long>(b.purchases), static_cast<long long>(b.upkeep),
      static_cast<long long>(b.interest), static_cast<long long>(b.building),
      static_cast<long long>(b.borrowed), static_cast<long long>(b.repaid),
      static_cast<long long>(b.closing), Money(b.price).c_str());
}

constexpr const char* StatusNames[] = {"playing", "won", "lost"};

int CommandEco(const TArguments& args) {
  ExpectCount(args, 1, "eco");
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  TEconomy eco;
  RequireEconomy(path, map, eco);
  std::printf("funds %d\nloan %lld\nloan_max %lld\nrate %lld\nprice %s\ncalf_price %s\n",
              static_cast<int>(map.Record().funds), static_cast<long long>(eco.Loan()),
              static_cast<long long>(eco.LoanMax(map)), static_cast<long long>(eco.Rate()),
              Money(eco.Price()).c_str(), Money(eco.CalfPrice()).c_str());
  std::printf("value %lld\ntarget %lld\nstatus %s\n", static_cast<long long>(eco.Value(map)),
              static_cast<long long>(eco.Target()), StatusNames[static_cast<int>(eco.Status())]);
  for (const TPasture& p : eco.Pastures()) {
    std::printf("pasture %d,%d tiles=%u water=%s road=%s head=%u weight=%u.%u forage=%lld pests=%u\n",
                TileX(p.id), TileY(p.id), p.tiles, p.water ? "yes" : "no",
                p.road != TRoadAccess::None ? "yes" : "no", p.herd.head, p.herd.weight / 1000,
                p.herd.weight % 1000 / 100, static_cast<long long>(p.forage / 10), p.pests / 10U);
  }
  for (const TBooks& month : eco.Months()) PrintBooks(month);
  TBooks running = eco.Month();
  running.closing = map.Record().funds;
  running.price = eco.Price();
  PrintBooks(running);
  return 0;
}

int CommandEcoStart(const TArguments& args) {
  ExpectCount(args, 1, "eco-start");
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  TEconomy eco;
  // Without --seed the market's generator starts from the map itself, so the
  // same map always gives the same economy.
  eco.Start(map, args.seed ? *args.seed : MapCrc(map.Record()));
  if (const auto error = WriteCompanionFile(CompanionPath(path), eco.Save(map))) {
    throw TFailure{CompanionPath(path) + ": " + *error, ExitFile};
  }
  return 0;
}

// "X,Y": a tile of the pasture.
std::pair<int, int> PastureArgument(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) throw TFailure{"a pasture is X,Y: '" + std::string(text) + "'", ExitUsage};
  return {NumberArgument<int>(text.substr(0, comma), "the pasture's X"),
          NumberArgument<int>(text.substr(comma + 1), "the pasture's Y")};
}

// Runs an economy order on FILE; a refusal writes nothing.
template <typename Order>
int EconomyOrder(const TArguments& args, std::size_t count, std::string_view command, Order order) {
  ExpectCount(args, count, command);
  const std::string path(args.rest[0]);
  TMapa map;
  ReadRecord(path, map.Record());
  TEconomy eco;
  RequireEconomy(path, map, eco);
  const std::int32_t before = map.Record().funds;
  const TEcoResult result = order(map, eco);
  if (result != TEcoResult::Done) {
    throw TFailure{std::string(command) + " refused: " + std::string(EcoResultText(result)), ExitFile};
  }
  WriteBoth(path, map, eco);
  std::printf("%s funds %d -> %d\n", std::string(command).c_str(), static_cast<int>(before),
              static_cast<int>(map.Record().funds));
  return 0;
}

int CommandTrade(const TArguments& args, std::string_view command) {
  const bool buying = command == "buy";
  return EconomyOrder(args, 3, command, [&](TMapa& map, TEconomy& eco) {
    const auto [x, y] = PastureArgument(args.rest[1]);
    const auto head = NumberArgument<std::int64_t>(args.rest[2], "HEAD");
    return buying ? eco.Buy(map, x, y, head) : eco.Sell(map, x, y, head);
  });
}

int CommandBank(const TArguments& args, std::string_view command) {
  const bool borrowing = command == "borrow";
  return EconomyOrder(args, 2, command, [&](TMapa& map, TEconomy& eco) {
    const auto amount = NumberArgument<std::int64_t>(args.rest[1], "AMOUNT");
    return borrowing ? eco.Borrow(map, amount) : eco.Repay(map, amount);
  });
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
  if (command == "eco") return CommandEco(SplitArguments(argc, argv, false));
  if (command == "eco-start") return CommandEcoStart(SplitArguments(argc, argv, true));
  if (command == "buy" || command == "sell") return CommandTrade(SplitArguments(argc, argv, false), command);
  if (command == "borrow" || command == "repay") return CommandBank(SplitArguments(argc, argv, false), command);
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
