// The zolmap tool, run as players and scripts run it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/RunCommand.h"

namespace {

namespace fs = std::filesystem;

class ZolmapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zolmap-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    file = (dir / "mapa.map").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  TRun Run(const std::string& arguments) const {
    return RunCommand(std::string(ZOLMAP_PATH) + " " + arguments, (dir / "stderr.txt").string());
  }

  static std::string Read(const std::string& path) { return ReadWholeFile(path); }

  // The value of `key` in the output of `info`.
  std::string Info(const std::string& key) const {
    std::istringstream lines(Run("info " + file).out);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "?";
  }

  std::size_t Entries() const { return std::distance(fs::directory_iterator(dir), {}); }

  fs::path dir;
  std::string file;
};

TEST_F(ZolmapTest, NewWritesAStartedGameThatASeedRepeats) {
  ASSERT_EQ(Run("new --seed 5 " + file).status, 0);
  EXPECT_EQ(fs::file_size(file), 28836U);
  const std::string first = Read(file);
  ASSERT_EQ(Run("new --seed 5 " + file).status, 0);
  EXPECT_EQ(Read(file), first);

  const TRun info = Run("info " + file);
  ASSERT_EQ(info.status, 0);
  std::istringstream lines(info.out);
  std::vector<std::string> keys;
  for (std::string line; std::getline(lines, line);) keys.push_back(line.substr(0, line.find('=')));
  EXPECT_EQ(keys, (std::vector<std::string>{"moisture", "reserved1", "reserved2", "weather",
                                            "weatherYesterday", "forecast", "day", "week", "month",
                                            "year", "funds", "startX", "startY"}));
  EXPECT_EQ(Info("day"), "2");
  EXPECT_EQ(Info("year"), "2004");
  EXPECT_EQ(Info("funds"), "40000");
  const std::string forecast = Info("forecast");
  EXPECT_EQ(std::count(forecast.begin(), forecast.end(), ','), 4);
  EXPECT_EQ(Entries(), 2U);  // the map and the captured stderr: no temporary left
}

TEST_F(ZolmapTest, DumpShowsTheGridRowByRow) {
  ASSERT_EQ(Run("new --seed 8 " + file).status, 0);
  const TRun whole = Run("dump " + file);
  ASSERT_EQ(whole.status, 0);
  std::istringstream lines(whole.out);
  int rows = 0;
  for (std::string line; std::getline(lines, line); ++rows) {
    ASSERT_EQ(std::count(line.begin(), line.end(), ' '), 97);
    if (rows == 0) {
      EXPECT_EQ(line.substr(0, 10), "9:23 9:23 ");
    }
  }
  EXPECT_EQ(rows, 98);

  const std::string x = Info("startX");
  const std::string y = Info("startY");
  const TRun house = Run("dump " + file + " " + x + " " + y + " " + std::to_string(std::stoi(x) + 1) +
                         " " + std::to_string(std::stoi(y) + 1));
  ASSERT_EQ(house.status, 0);
  EXPECT_EQ(house.out, "12:0 12:1\n12:2 12:3\n");  // the river missed this house
}

TEST_F(ZolmapTest, ToolAppliesRefusesAndChargesLikeTheView) {
  ASSERT_EQ(Run("new --seed 8 " + file).status, 0);
  const std::string x = Info("startX");
  const std::string y = Info("startY");
  const std::string funds = Info("funds");
  // Bulldoze the fence corner left-above the house twice, then the house.
  const std::string cx = std::to_string(std::stoi(x) - 1);
  const std::string cy = std::to_string(std::stoi(y) - 1);
  const TRun run =
      Run("tool " + file + " tlBulldoze " + cx + " " + cy + " " + cx + " " + cy + " 0 0 300 5");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "applied " + cx + " " + cy + "\nrefused " + cx + " " + cy +
                         "\nrefused 0 0\nrefused 300 5\n");
  EXPECT_EQ(std::stoi(Info("funds")), std::stoi(funds) - 25);

  // A tool with no action, and a fence on column 96 that the rule lets through.
  const TRun none = Run("tool " + file + " tlVer 10 10");
  EXPECT_EQ(none.out, "failed 10 10\n");
  const TRun edge = Run("tool " + file + " tlCerca 96 40 96 40");
  const bool bare = edge.out == "failed 96 40\nfailed 96 40\n";
  EXPECT_TRUE(bare || edge.out == "refused 96 40\nrefused 96 40\n") << edge.out;
  EXPECT_EQ(std::stoi(Info("funds")), std::stoi(funds) - 25);
}

TEST_F(ZolmapTest, TickRunsAnyNumberOfDays) {
  ASSERT_EQ(Run("new --seed 1 " + file).status, 0);
  ASSERT_EQ(Run("tick --seed 2 " + file + " 287").status, 0);
  EXPECT_EQ(Info("day"), "1");
  EXPECT_EQ(Info("week"), "1");
  EXPECT_EQ(Info("month"), "1");
  EXPECT_EQ(Info("year"), "2005");
  ASSERT_EQ(Run("tick " + file + " 576").status, 0);
  EXPECT_EQ(Info("year"), "2007");
  ASSERT_EQ(Run("tick " + file + " 0").status, 0);
  EXPECT_EQ(Info("year"), "2007");
}

TEST_F(ZolmapTest, CheckSaysOkOrNamesEachProblem) {
  ASSERT_EQ(Run("new --seed 6 " + file).status, 0);
  const TRun sound = Run("check " + file);
  EXPECT_EQ(sound.status, 0);
  EXPECT_EQ(sound.out, "ok\n");

  std::string bytes = Read(file);
  bytes[10] = 9;                                   // day
  bytes[22 + 294 * 5 + 3 * 7 + 2] = 40;            // kind of tile (5, 7)
  { std::ofstream(file, std::ios::binary) << bytes; }
  const TRun damaged = Run("check " + file);
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.out, "day 9 outside 1..6\ntile (5, 7): unknown kind 40\n");
  EXPECT_EQ(Read(file), bytes);
}

// A broken file can still be looked into and worked on.
TEST_F(ZolmapTest, EveryOtherCommandTakesAnyRecord) {
  std::string noise(28836, '\0');
  unsigned state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245U + 12345U) >> 16);
  { std::ofstream(file, std::ios::binary) << noise; }
  EXPECT_EQ(Run("check " + file).status, 1);
  EXPECT_EQ(Run("info " + file).status, 0);
  const TRun dump = Run("dump " + file + " 0 0 3 3");
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 4);
  EXPECT_EQ(Run("tool --seed 1 " + file + " tlBulldoze 5 5 6 6").status, 0);
  EXPECT_EQ(Run("tick --seed 1 " + file + " 3").status, 0);
  EXPECT_EQ(fs::file_size(file), 28836U);
}

TEST_F(ZolmapTest, ErrorsNameTheProblemAndLeaveTheFileAlone) {
  EXPECT_NE(Run("info " + file).status, 0);  // missing
  ASSERT_EQ(Run("new --seed 4 " + file).status, 0);
  const std::string good = Read(file);

  struct TCase {
    std::string arguments;
    std::string message;
  };
  const TCase cases[] = {
      {"tool " + file + " tlEstrada 10 10", "unknown tool 'tlEstrada'"},
      {"tool " + file + " tlTerra 10 x", "bad number"},
      {"tool " + file + " tlTerra 10", "pairs of X Y"},
      {"tick " + file + " -3", "bad number"},
      {"tick " + file + " 12abc", "bad number"},
      {"new --seed seven " + file, "bad number"},
      {"dump " + file + " 0 0 98 5", "outside the map"},
      {"dump " + file + " 5 5 4 4", "empty rectangle"},
      {"frobnicate " + file, "unknown command"},
      {"check " + file + " " + file, "wrong number of arguments"},
      {"", "no command"},
  };
  for (const auto& c : cases) {
    const TRun run = Run(c.arguments);
    EXPECT_NE(run.status, 0) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(Read(file), good) << c.arguments;
  }

  const std::string shortFile = (dir / "short.map").string();
  { std::ofstream(shortFile, std::ios::binary) << good.substr(0, 1000); }
  for (const std::string command : {"info ", "check ", "tick ", "tool "}) {
    const std::string tail = command == "tick " ? " 1" : command == "tool " ? " tlTerra 5 5" : "";
    const TRun run = Run(command + shortFile + tail);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("short file"), std::string::npos) << run.err;
    EXPECT_EQ(fs::file_size(shortFile), 1000U);
  }
  const TRun missing = Run("tick " + (dir / "none.map").string() + " 1");
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "none.map"));
}

}  // namespace
