// zolmap driving the economy: the companion file made, printed, traded on
// and carried through tool and tick; refusals leave both files as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "map/Mapa.h"
#include "tests/support/RunCommand.h"

namespace {

namespace fs = std::filesystem;

class ZolmapEcoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zolmap-eco-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    file = (dir / "mapa.map").string();
    eco = (dir / "mapa.eco").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  TRun Run(const std::string& arguments) const {
    return RunCommand(std::string(ZOLMAP_PATH) + " " + arguments, (dir / "stderr.txt").string());
  }

  static std::string Read(const std::string& path) { return ReadWholeFile(path); }

  // The value of `key` in the output of `eco`.
  std::string Eco(const std::string& key) const {
    std::istringstream lines(Run("eco " + file).out);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(key + " ", 0) == 0) return line.substr(key.size() + 1);
    }
    return "?";
  }

  // The homestead's fence square gets a gate in its north side, which makes
  // the ground around the house a pasture (seed 2: the river passes by).
  std::string MakeHomesteadPasture() {
    EXPECT_EQ(Run("new --seed 2 " + file).status, 0);
    const TMapaRecord record = Record();
    left = record.startX - 1;
    top = record.startY - 1;
    const std::string gate = std::to_string(left + 5) + " " + std::to_string(top);
    EXPECT_EQ(Run("tool " + file + " tlPorteira " + gate).out, "applied " + gate + "\n");
    EXPECT_EQ(Run("eco-start " + file).status, 0);
    return std::to_string(left + 3) + "," + std::to_string(top + 3);
  }

  TMapaRecord Record() const {
    TMapaRecord record{};
    const std::string bytes = Read(file);
    EXPECT_EQ(bytes.size(), sizeof record);
    std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
    return record;
  }

  fs::path dir;
  std::string file;
  std::string eco;
  int left = 0, top = 0;
};

TEST_F(ZolmapEcoTest, WithoutACompanionFileNothingChangesAndNoneAppears) {
  ASSERT_EQ(Run("new --seed 4 " + file).status, 0);
  const std::string copy = (dir / "copy.map").string();
  fs::copy_file(file, copy);
  ASSERT_EQ(Run("tick --seed 8 " + file + " 600").status, 0);
  // The same days run by the map alone, as before the economy existed.
  TMapa map;
  std::ifstream in(copy, std::ios::binary);
  in.read(reinterpret_cast<char*>(&map.Record()), sizeof(TMapaRecord));
  RandomSeed(8);
  for (int i = 0; i < 600; ++i) map.Tick(1);
  EXPECT_EQ(std::memcmp(&map.Record(), Read(file).data(), sizeof(TMapaRecord)), 0);
  EXPECT_EQ(Run("tool " + file + " tlAgua 50 50").out, "failed 50 50\n");
  EXPECT_EQ(Run("tool " + file + " tlSpray 50 50").out, "failed 50 50\n");

  const TRun eco = Run("eco " + file);
  EXPECT_EQ(eco.status, 1);
  EXPECT_NE(eco.err.find("no companion file"), std::string::npos) << eco.err;
  EXPECT_EQ(Run("borrow " + file + " 5000").status, 1);
  EXPECT_FALSE(fs::exists(this->eco));
}

TEST_F(ZolmapEcoTest, EcoPrintsTheStateInItsFormat) {
  const std::string pasture = MakeHomesteadPasture();
  const TRun run = Run("eco " + file);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::regex format(
      "funds 39925\nloan 0\nloan_max [0-9]+\nrate 12\nprice [0-9]+\\.[0-9]{2}\n"
      "calf_price [0-9]+\\.[0-9]{2}\nvalue [0-9]+\ntarget 200000\nstatus playing\n"
      "(pasture [0-9]+,[0-9]+ tiles=[0-9]+ water=(yes|no) road=(yes|no) head=0 weight=0\\.0 "
      "forage=[0-9]+ pests=0\n)+"
      "month 2004-01 opening=39925 sales=0 purchases=0 upkeep=0 interest=0 building=0 borrowed=0 "
      "repaid=0 closing=39925 price=[0-9]+\\.[0-9]{2}\n");
  EXPECT_TRUE(std::regex_match(run.out, format)) << run.out;
  EXPECT_EQ(fs::file_size(eco), 34736U);
}

TEST_F(ZolmapEcoTest, RefusedOrdersSayWhyAndLeaveBothFilesAsTheyWere) {
  const std::string pasture = MakeHomesteadPasture();
  const std::string map = Read(file), companion = Read(eco);
  const std::string refusals[] = {
      "buy " + file + " " + pasture + " 5",          // the homestead has no water
      "buy " + file + " 50,1 5",                     // not a pasture
      "sell " + file + " " + pasture + " 1",         // no herd yet
      "borrow " + file + " 1000000",                 // past the maximum
      "borrow " + file + " 7000",                    // not a step of 5000
      "repay " + file + " 100",                      // no loan
  };
  for (const std::string& command : refusals) {
    const TRun run = Run(command);
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("refused: "), std::string::npos) << command << ": " << run.err;
    EXPECT_EQ(Read(file), map) << command;
    EXPECT_EQ(Read(eco), companion) << command;
  }
  EXPECT_NE(Run(refusals[0]).err.find("no water"), std::string::npos);
}

TEST_F(ZolmapEcoTest, ADamagedCompanionFileStopsTickAndToolUntilStartedAfresh) {
  MakeHomesteadPasture();
  std::string companion = Read(eco);
  companion[100] ^= 1;
  std::ofstream(eco, std::ios::binary) << companion;
  const std::string map = Read(file);
  const TRun run = Run("tick " + file + " 3");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("checksum"), std::string::npos) << run.err;
  EXPECT_EQ(Read(file), map);
  EXPECT_EQ(Run("eco-start " + file).status, 0);
  EXPECT_EQ(Run("tick " + file + " 3").status, 0);
}

TEST_F(ZolmapEcoTest, TheSameFilesAndCommandsGiveTheSameBytes) {
  const std::string pasture = MakeHomesteadPasture();
  const fs::path other = dir / "other";
  fs::create_directories(other);
  fs::copy_file(file, other / "mapa.map");
  fs::copy_file(eco, other / "mapa.eco");
  for (const std::string& target : {file, (other / "mapa.map").string()}) {
    ASSERT_EQ(Run("borrow " + target + " 10000").status, 0);
    ASSERT_EQ(Run("tool --seed 5 " + target + " tlSpray " + pasture.substr(0, pasture.find(',')) + " " +
                  pasture.substr(pasture.find(',') + 1) + " " + std::to_string(left + 4) + " " +
                  std::to_string(top + 3))
                  .out.find("applied"),
              0U);
    ASSERT_EQ(Run("tick --seed 6 " + target + " 100").status, 0);
  }
  EXPECT_EQ(Read(file), Read((other / "mapa.map").string()));
  EXPECT_EQ(Read(eco), Read((other / "mapa.eco").string()));
  EXPECT_EQ(Eco("loan"), "10000");
  // One spraying of 200 for both tiles, the loan's interest for four months.
  EXPECT_EQ(Eco("funds"), std::to_string(40000 - 75 + 10000 - 200 - 4 * 100));
}

}  // namespace
