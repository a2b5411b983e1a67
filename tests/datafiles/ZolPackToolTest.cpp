// The packing tool, driven through its command line as the build drives it.
#include <gtest/gtest.h>

#include <QDir>

#include <sstream>

#include "DataFilesTestSupport.h"
#include "datafiles/zolpackformat.h"
#include "datafiles/zolpackload.h"

using namespace zvtest;

namespace {

class ZolpackToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(dir_.path()).mkpath("in/Sub");
    Put("in/Sub/CHAO.BMP", EncodeBmp(StripedImage(13, 7, 4), 8, TBmpKind::Rle, false));
    Put("in/Plop.wav", MakeWave(1, 22050, {0, 100, -100, 50}));
    Put("in/one.bin", {0x5A});
    Put("in/empty.txt", {});
    Put("in/noise.dat", NoiseBytes(40000, 11));
  }
  std::string Path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
  QString Arg(const std::string& name) const { return QString::fromStdString(Path(name)); }
  void Put(const std::string& name, const Bytes& bytes) {
    WriteBytes(Path(name), bytes);
    inputs_.push_back({name, bytes});
  }
  QStringList InputArgs() const {
    QStringList args;
    for (const auto& [name, bytes] : inputs_) args << Arg(name);
    return args;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  QTemporaryDir dir_;
  std::vector<std::pair<std::string, Bytes>> inputs_;
  const std::vector<std::string> names_ = {"chao.bmp", "plop.wav", "one.bin", "empty.txt", "noise.dat"};
};

TEST_F(ZolpackToolTest, EveryVersionRoundTripsThroughTheToolAndTheReader) {
  for (const char version : ZolPackVersions) {
    SCOPED_TRACE(version);
    const TToolRun create = RunZolpack(QStringList{"create", "--version", QString(QChar(version)), Arg("p.dpf")} + InputArgs());
    ASSERT_EQ(create.ExitCode, 0) << create.Err;
    EXPECT_EQ(ReadBytes(Path("p.dpf"))[12], version);

    TZolPackLoad reader;
    ASSERT_TRUE(reader.AbrePacote(Path("p.dpf")));
    ASSERT_EQ(reader.ArquivosPacote(), 5);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(reader.PegaNome(i + 1), names_[i]);
      Bytes block;
      ASSERT_TRUE(reader.ExtrairDados(names_[i], block));
      EXPECT_EQ(block, inputs_[i].second) << names_[i];

      const TToolRun extract = RunZolpack({"extract", Arg("p.dpf"), QString::fromStdString(names_[i]), Arg("out.bin")});
      ASSERT_EQ(extract.ExitCode, 0) << extract.Err;
      EXPECT_EQ(ReadBytes(Path("out.bin")), inputs_[i].second) << names_[i];
    }
  }
}

TEST_F(ZolpackToolTest, ListShowsIndexNameStoredSizeAndPosition) {
  ASSERT_EQ(RunZolpack(QStringList{"create", Arg("p.dpf")} + InputArgs()).ExitCode, 0);
  EXPECT_EQ(ReadBytes(Path("p.dpf"))[12], 'g');  // the default version
  TZolPackLoad reader;
  ASSERT_TRUE(reader.AbrePacote(Path("p.dpf")));
  const TToolRun list = RunZolpack({"list", Arg("p.dpf")});
  ASSERT_EQ(list.ExitCode, 0) << list.Err;
  const auto lines = Lines(list.Out);
  ASSERT_EQ(lines.size(), 5u);
  for (int i = 1; i <= 5; ++i)
    EXPECT_EQ(lines[i - 1], std::to_string(i) + " " + reader.PegaNome(i) + " " + std::to_string(reader.PegaTamanho(i)) +
                                " " + std::to_string(reader.PegaPosicao(i)));
}

TEST_F(ZolpackToolTest, InfoDescribesPicturesAndSounds) {
  Put("in/bad.wav", NoiseBytes(30, 4));
  ASSERT_EQ(RunZolpack(QStringList{"create", "--version", "f", Arg("p.dpf")} + InputArgs()).ExitCode, 0);
  TZolPackLoad reader;
  ASSERT_TRUE(reader.AbrePacote(Path("p.dpf")));
  const TToolRun info = RunZolpack({"info", Arg("p.dpf")});
  EXPECT_EQ(info.ExitCode, 1);  // the damaged sound
  const auto lines = Lines(info.Out);
  ASSERT_EQ(lines.size(), 6u);
  const auto sizes = [&](int i) {
    return reader.PegaNome(i) + " " + std::to_string(reader.PegaTamanho(i)) + " " + std::to_string(inputs_[i - 1].second.size());
  };
  EXPECT_EQ(lines[0], sizes(1) + " bitmap 13x7");
  EXPECT_EQ(lines[1], sizes(2) + " wave 1 1 22050 16 8");
  EXPECT_EQ(lines[2], sizes(3));
  EXPECT_EQ(lines[3], sizes(4));
  EXPECT_EQ(lines[5], sizes(6) + " Wave is invalid");
}

TEST_F(ZolpackToolTest, InfoShowsDecompressionErrorsInTheEntrysLine) {
  WriteBytes(Path("z.dpf"), ZolPackBuild('f', {{"broken.bmp", NoiseBytes(64, 5)}}));
  const TToolRun info = RunZolpack({"info", Arg("z.dpf")});
  EXPECT_EQ(info.ExitCode, 1);
  EXPECT_EQ(info.Out, "broken.bmp 64 - data error\n");
}

TEST_F(ZolpackToolTest, FailuresPrintTheReadersMessageInUtf8) {
  const TToolRun missing = RunZolpack({"list", Arg("none.dpf")});
  EXPECT_NE(missing.ExitCode, 0);
  EXPECT_EQ(missing.Err, "Arquivo " + Path("none.dpf") + " não existente.\n");

  ASSERT_EQ(RunZolpack(QStringList{"create", Arg("p.dpf")} + InputArgs()).ExitCode, 0);
  const TToolRun absent = RunZolpack({"extract", Arg("p.dpf"), "x", Arg("x.out")});
  EXPECT_NE(absent.ExitCode, 0);
  EXPECT_EQ(absent.Err, "Arquivo x não encontrado no pacote.\n");
  EXPECT_FALSE(std::filesystem::exists(Path("x.out")));

  WriteBytes(Path("junk.dpf"), NoiseBytes(100, 1));
  const TToolRun junk = RunZolpack({"info", Arg("junk.dpf")});
  EXPECT_NE(junk.ExitCode, 0);
  EXPECT_EQ(junk.Err, "O arquivo " + Path("junk.dpf") + " não é um arquivo Zol Package válido.\n");

  const TToolRun version = RunZolpack({"create", "--version", "h", Arg("q.dpf"), Arg("in/one.bin")});
  EXPECT_NE(version.ExitCode, 0);
  EXPECT_EQ(version.Err, "Versão de Zol Package desconhecida.\n");

  EXPECT_EQ(RunZolpack({"create", Arg("q.dpf")}).ExitCode, 2);
  EXPECT_EQ(RunZolpack({"unpack", Arg("p.dpf")}).ExitCode, 2);
  EXPECT_EQ(RunZolpack({}).ExitCode, 2);
}

TEST_F(ZolpackToolTest, AFailedCreateLeavesTheOldPackageUntouched) {
  ASSERT_EQ(RunZolpack(QStringList{"create", Arg("p.dpf")} + InputArgs()).ExitCode, 0);
  const Bytes before = ReadBytes(Path("p.dpf"));
  const TToolRun create = RunZolpack({"create", Arg("p.dpf"), Arg("in/one.bin"), Arg("in/gone.bin")});
  EXPECT_NE(create.ExitCode, 0);
  EXPECT_EQ(create.Err, "Arquivo " + Path("in/gone.bin") + " não existente.\n");
  EXPECT_EQ(ReadBytes(Path("p.dpf")), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1);  // no temporary left behind
}

TEST_F(ZolpackToolTest, RefusesMoreEntriesThanTheReaderHolds) {
  QStringList files;
  for (int i = 0; i < 1025; ++i) {
    const std::string name = "many/f" + std::to_string(i);
    if (i == 0) QDir(dir_.path()).mkpath("many");
    WriteBytes(Path(name), {std::uint8_t(i)});
    files << Arg(name);
  }
  const TToolRun full = RunZolpack(QStringList{"create", "--version", "d", Arg("full.dpf")} + files.mid(0, 1024));
  ASSERT_EQ(full.ExitCode, 0) << full.Err;
  TZolPackLoad reader;
  EXPECT_TRUE(reader.AbrePacote(Path("full.dpf")));
  EXPECT_EQ(reader.ArquivosPacote(), 1024);

  const TToolRun over = RunZolpack(QStringList{"create", Arg("over.dpf")} + files);
  EXPECT_NE(over.ExitCode, 0);
  EXPECT_EQ(over.Err, "O pacote teria mais arquivos do que o número suportado.\n");
  EXPECT_FALSE(std::filesystem::exists(Path("over.dpf")));
}

}  // namespace
