// The package reader: opening, lookup, extraction, its messages, and how it
// refuses damaged packages.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "DataFilesTestSupport.h"
#include "datafiles/zolbitmap.h"
#include "datafiles/zolpackformat.h"
#include "datafiles/zolpackload.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"

using namespace zvtest;

namespace {

std::string Ansi(const char* utf8) { return *Utf8ToCp1252(utf8); }

class ZolPackLoadTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

  // A package of plain entries encoded for the version letter.
  std::string Package(char version, const std::vector<std::pair<std::string, Bytes>>& plain,
                      const std::string& file = "test.dpf") {
    std::vector<TZolPackStoredEntry> entries;
    for (const auto& [name, bytes] : plain) entries.push_back({name, ZolPackEncode(bytes, *ZolPackFlagsOf(version))});
    WriteBytes(Path(file), ZolPackBuild(version, entries));
    return Path(file);
  }

  QTemporaryDir dir_;
  TZolPackLoad reader_;
};

Bytes Compressed(const Bytes& plain) {
  uLongf length = compressBound(static_cast<uLong>(plain.size()));
  Bytes out(length);
  compress(out.data(), &length, plain.data(), static_cast<uLong>(plain.size()));
  out.resize(length);
  return out;
}

TEST_F(ZolPackLoadTest, EveryVersionLetterReadsBackByteExactAndSetsItsFlags) {
  const Bytes one = {0x42};
  const Bytes noise = NoiseBytes(70000, 7);
  const Bytes zeros(300000, 0);
  const TZolPackFlags expected[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (int v = 0; v < 4; ++v) {
    const char version = ZolPackVersions[v];
    SCOPED_TRACE(version);
    const std::string path = Package(version, {{"one.bin", one}, {"empty.bin", {}}, {"noise.bin", noise}, {"zeros.bin", zeros}});
    ASSERT_TRUE(reader_.AbrePacote(path)) << reader_.Erro();
    EXPECT_EQ(reader_.Erro(), "O Zol Package file foi aberto com sucesso.");
    EXPECT_EQ((TZolPackFlags{reader_.Encriptar, reader_.Comprimir}), expected[v]);
    EXPECT_EQ(reader_.ArquivosPacote(), 4);
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, Bytes>>{
             {"one.bin", one}, {"empty.bin", {}}, {"noise.bin", noise}, {"zeros.bin", zeros}}) {
      Bytes block = {1, 2, 3};
      ASSERT_TRUE(reader_.ExtrairDados(name, block)) << reader_.Erro();
      EXPECT_EQ(block, bytes) << name;
      EXPECT_EQ(reader_.Erro(), Ansi("Arquivo ") + name + Ansi(" extraído com sucesso."));
    }
  }
}

TEST_F(ZolPackLoadTest, PositionsFollowTheDataStartAndTheSizes) {
  const std::string path = Package('d', {{"a", Bytes(10, 1)}, {"bb", Bytes(0)}, {"c", Bytes(7, 2)}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  const std::int32_t start = std::int32_t(ZolPackHeaderSize + 3 * ZolPackRecordFixedSize + 4);
  EXPECT_EQ(reader_.PegaPosicao(1), start);
  EXPECT_EQ(reader_.PegaPosicao(2), start + 10);
  EXPECT_EQ(reader_.PegaPosicao(3), start + 10);
  EXPECT_EQ(reader_.PegaTamanho(3), 7);
  EXPECT_EQ(reader_.PegaNome(2), "bb");
}

TEST_F(ZolPackLoadTest, CryptLeavesTheLastByteAndIsItsOwnInverse) {
  for (std::size_t n : {0u, 1u, 2u, 5u, 4097u}) {
    const Bytes plain = NoiseBytes(n, static_cast<std::uint32_t>(n));
    Bytes buffer = plain;
    TZolPackLoad::Crypt(buffer.data(), buffer.size());
    if (n > 0) {
      EXPECT_EQ(buffer.back(), plain.back());
    }
    if (n <= 1) {
      EXPECT_EQ(buffer, plain);
    } else {
      EXPECT_NE(buffer, plain);
    }
    // The key repeats every four bytes.
    for (std::size_t p = 4; p + 1 < n; ++p) EXPECT_EQ(buffer[p] ^ plain[p], buffer[p - 4] ^ plain[p - 4]);
    TZolPackLoad::Crypt(buffer.data(), buffer.size());
    EXPECT_EQ(buffer, plain);
  }
}

TEST_F(ZolPackLoadTest, ScrambledEntriesKeepTheirLastStoredByte) {
  const Bytes plain = NoiseBytes(33, 3);
  const std::string path = Package('e', {{"x", plain}, {"y", {0x99}}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  const Bytes file = ReadBytes(path);
  const std::size_t at = static_cast<std::size_t>(reader_.PegaPosicao(1));
  EXPECT_EQ(file[at + 32], plain[32]);
  EXPECT_NE(Bytes(file.begin() + at, file.begin() + at + 32), Bytes(plain.begin(), plain.begin() + 32));
  EXPECT_EQ(file[static_cast<std::size_t>(reader_.PegaPosicao(2))], 0x99);
}

TEST_F(ZolPackLoadTest, HoldsUpTo1024EntriesAndRefusesMore) {
  std::vector<TZolPackStoredEntry> entries;
  for (int i = 0; i < 1024; ++i) {
    std::string name = "e";
    name += std::to_string(i);
    entries.push_back({name, {std::uint8_t(i)}});
  }
  WriteBytes(Path("full.dpf"), ZolPackBuild('d', entries));
  ASSERT_TRUE(reader_.AbrePacote(Path("full.dpf")));
  EXPECT_EQ(reader_.ArquivosPacote(), 1024);
  Bytes block;
  ASSERT_TRUE(reader_.ExtrairDados("e1023", block));
  EXPECT_EQ(block, Bytes{std::uint8_t(1023)});

  entries.push_back({"e1024", {0}});
  EXPECT_THROW(ZolPackBuild('d', entries), EZolPackFormatError);
  Bytes tooMany;
  ZolPackWriteHeader(tooMany, 'f', 1025, 19);
  WriteBytes(Path("many.dpf"), tooMany);
  reader_.Comprimir = false;
  EXPECT_FALSE(reader_.AbrePacote(Path("many.dpf")));
  EXPECT_EQ(reader_.Erro(), std::string("O arquivo ") + Path("many.dpf") + Ansi(" possui mais arquivos do que o número suportado."));
  EXPECT_EQ(reader_.ArquivosPacote(), 0);
  EXPECT_TRUE(reader_.Comprimir);  // the letter was read before the count
}

TEST_F(ZolPackLoadTest, LookupLowersTheRequestButNeverTheStoredNames) {
  const Bytes bmp = EncodeBmp(StripedImage(4, 2, 2), 24, TBmpKind::Rgb, false);
  const Bytes other = EncodeBmp(StripedImage(5, 2, 2), 24, TBmpKind::Rgb, false);
  WriteBytes(Path("case.dpf"), ZolPackBuild('d', {{"Chao.bmp", other}, {"agua.BMP", other}, {"pasto.bmp", bmp}}));
  ASSERT_TRUE(reader_.AbrePacote(Path("case.dpf")));

  TPictureCollection pictures;
  ASSERT_TRUE(reader_.ExtrairArquivo("PASTO.BMP", &pictures, nullptr));
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0).Name, "PASTO.BMP");
  EXPECT_FALSE(pictures.Items(0).Transparent);
  EXPECT_EQ(pictures.Items(0).Picture.Width, 4);

  Bytes block;
  EXPECT_FALSE(reader_.ExtrairDados("Chao.bmp", block));
  EXPECT_EQ(reader_.Erro(), Ansi("Arquivo Chao.bmp não encontrado no pacote."));
  EXPECT_FALSE(reader_.ExtrairDados("agua.BMP", block));

  // Stored capitals make "Chao.bmp" and "agua.BMP" unreachable, so only
  // "pasto.bmp" counts, though the extension test itself ignores case.
  TPictureCollection all;
  EXPECT_EQ(reader_.ExtrairImagens(all), 1);
  EXPECT_EQ(reader_.Erro(), "1 arquivos de imagem carregados com sucesso.");
  ASSERT_EQ(all.Count(), 1);
  EXPECT_EQ(all.Items(0).Name, "pasto.bmp");

  // Beside a lower-case twin, a capitalised stored name leads to the twin.
  WriteBytes(Path("twin.dpf"), ZolPackBuild('d', {{"Chao.bmp", other}, {"chao.bmp", bmp}}));
  ASSERT_TRUE(reader_.AbrePacote(Path("twin.dpf")));
  ASSERT_TRUE(reader_.ExtrairDados("Chao.bmp", block));
  EXPECT_EQ(block, bmp);
}

TEST_F(ZolPackLoadTest, AccentedLettersAreNotLowered) {
  const std::string name = Ansi("ção.bin");
  WriteBytes(Path("acc.dpf"), ZolPackBuild('d', {{name, {1}}}));
  ASSERT_TRUE(reader_.AbrePacote(Path("acc.dpf")));
  Bytes block;
  EXPECT_FALSE(reader_.ExtrairDados(Ansi("çÃO.BIN"), block));
  EXPECT_TRUE(reader_.ExtrairDados(Ansi("çãO.BIN"), block));
}

TEST_F(ZolPackLoadTest, DuplicateNamesAlwaysGiveTheFirst) {
  const std::string path = Package('g', {{"dup.bin", {1, 1}}, {"dup.bin", {2, 2}}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  Bytes block;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(reader_.ExtrairDados("DUP.bin", block));
    EXPECT_EQ(block, (Bytes{1, 1}));
  }
}

TEST_F(ZolPackLoadTest, EmptyPackageOpensButHasNothingToExtract) {
  const std::string path = Package('g', {});
  ASSERT_TRUE(reader_.AbrePacote(path));
  EXPECT_EQ(reader_.ArquivosPacote(), 0);
  Bytes block;
  TPictureCollection pictures;
  TWaveCollection waves;
  EXPECT_FALSE(reader_.ExtrairDados("a.bmp", block));
  EXPECT_EQ(reader_.Erro(), "Nenhum Zol Package File foi aberto.");
  EXPECT_FALSE(reader_.ExtrairArquivo("a.bmp", &pictures, nullptr));
  EXPECT_EQ(reader_.Erro(), "Nenhum Zol Package File foi aberto.");
  EXPECT_EQ(reader_.ExtrairAudios(waves), 0);
  EXPECT_EQ(reader_.Erro(), Ansi("0 arquivos de áudio carregados com sucesso."));
}

TEST_F(ZolPackLoadTest, OpeningMessagesAndWhatEachRefusalLeavesOpen) {
  const std::string good = Package('d', {{"a.bin", {5}}});
  ASSERT_TRUE(reader_.AbrePacote(good));

  EXPECT_FALSE(reader_.AbrePacote(Path("missing.dpf")));
  EXPECT_EQ(reader_.Erro(), "Arquivo " + Path("missing.dpf") + Ansi(" não existente."));
  EXPECT_EQ(reader_.ArquivosPacote(), 1);  // still usable
  Bytes block;
  EXPECT_TRUE(reader_.ExtrairDados("a.bin", block));

  EXPECT_FALSE(reader_.AbrePacote(dir_.path().toStdString()));  // a folder is no file
  EXPECT_EQ(reader_.ArquivosPacote(), 1);

  WriteBytes(Path("bad.dpf"), Bytes{'[', 'Z', 'O', 'L', 'P', 'K', 'G', 'F', 'I', 'L', 'e', ']', 'd', 0, 0, 0, 0, 19, 0});
  EXPECT_FALSE(reader_.AbrePacote(Path("bad.dpf")));
  EXPECT_EQ(reader_.Erro(), "O arquivo " + Path("bad.dpf") + Ansi(" não é um arquivo Zol Package válido."));
  EXPECT_EQ(reader_.ArquivosPacote(), 0);
  EXPECT_EQ(reader_.PegaNome(1), "");

  Bytes zeroInSignature = ZolPackBuild('d', {});
  zeroInSignature[5] = 0;
  WriteBytes(Path("zero.dpf"), zeroInSignature);
  EXPECT_FALSE(reader_.AbrePacote(Path("zero.dpf")));

  Bytes unknown;
  ZolPackWriteHeader(unknown, 'h', 0, 19);
  WriteBytes(Path("h.dpf"), unknown);
  reader_.Encriptar = true;
  EXPECT_FALSE(reader_.AbrePacote(Path("h.dpf")));
  EXPECT_EQ(reader_.Erro(), Ansi("Versão de Zol Package desconhecida."));
  EXPECT_TRUE(reader_.Encriptar);  // refused before the flags were set
}

TEST_F(ZolPackLoadTest, IndexQueriesOutsideTheDirectory) {
  const std::string path = Package('d', {{"a", {1, 2, 3}}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  EXPECT_EQ(reader_.PegaNome(0), "");
  EXPECT_EQ(reader_.Erro(), Ansi("Tentativa de pegar nome em índice inexistente."));
  EXPECT_EQ(reader_.PegaNome(2), "");
  EXPECT_EQ(reader_.PegaPosicao(2), 0);
  EXPECT_EQ(reader_.Erro(), Ansi("Tentativa de pegar posição em índice inexistente."));
  EXPECT_EQ(reader_.PegaTamanho(-1), 0);
  EXPECT_EQ(reader_.Erro(), Ansi("Tentativa de pegar tamanho em índice inexistente."));
  EXPECT_EQ(reader_.PegaTamanho(1), 3);
  EXPECT_EQ(reader_.Erro(), Ansi("Tentativa de pegar tamanho em índice inexistente."));  // unchanged
  reader_.Reseta();
  EXPECT_EQ(reader_.Erro(), "");
  EXPECT_EQ(reader_.ArquivosPacote(), 0);
}

TEST_F(ZolPackLoadTest, ANameEndsAtItsFirstZeroByte) {
  Bytes package;
  ZolPackWriteHeader(package, 'd', 1, std::uint16_t(ZolPackHeaderSize + ZolPackRecordFixedSize + 7));
  ZolPackWriteRecord(package, 2, std::string("abc\0def", 7));
  package.insert(package.end(), {8, 9});
  WriteBytes(Path("z.dpf"), package);
  ASSERT_TRUE(reader_.AbrePacote(Path("z.dpf")));
  EXPECT_EQ(reader_.PegaNome(1), "abc");
  Bytes block;
  EXPECT_TRUE(reader_.ExtrairDados("abc", block));
  EXPECT_EQ(block, (Bytes{8, 9}));
}

TEST_F(ZolPackLoadTest, ExtractsPicturesAndSoundsIntoTheirCollections) {
  const Bytes bmp = EncodeBmp(StripedImage(6, 3, 4), 8, TBmpKind::Rgb, false);
  const Bytes wav = MakeWave(2, 22050, {1, -1, 300, -300});
  const std::string path = Package('g', {{"chao.bmp", bmp}, {"plop.wav", wav}, {"notes.txt", {1}}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  TPictureCollection pictures;
  TWaveCollection waves;

  EXPECT_TRUE(reader_.ExtrairArquivo("plop.wav", nullptr, &waves));
  ASSERT_EQ(waves.Count(), 1);
  EXPECT_EQ(waves.Items(0).Name, "plop.wav");
  EXPECT_EQ(waves.Items(0).Wave.Channels(), 2);
  EXPECT_EQ(waves.Items(0).Wave.SamplesPerSec(), 22050u);
  EXPECT_EQ(waves.Items(0).Wave.DataSize(), 8u);

  // With both collections the wave collection wins, so a picture entry
  // fails as a wave and nothing is added anywhere.
  reader_.PegaNome(0);
  const std::string before = reader_.Erro();
  EXPECT_THROW(reader_.ExtrairArquivo("chao.bmp", &pictures, &waves), EWaveStreamError);
  EXPECT_EQ(pictures.Count(), 0);
  EXPECT_EQ(waves.Count(), 1);
  EXPECT_EQ(reader_.Erro(), before);

  EXPECT_EQ(reader_.ExtrairImagens(pictures), 1);
  EXPECT_EQ(reader_.ExtrairAudios(waves), 1);
  EXPECT_EQ(reader_.Erro(), Ansi("1 arquivos de áudio carregados com sucesso."));
  EXPECT_EQ(pictures.Items(0).Picture.Height, 3);

  EXPECT_FALSE(reader_.ExtrairArquivo("chao.bmp", nullptr, nullptr));
  EXPECT_EQ(pictures.Count(), 1);
}

TEST_F(ZolPackLoadTest, APictureThatIsNotABitmapAddsNoItem) {
  const std::string path = Package('f', {{"fake.bmp", MakeWave(1, 8000, {0})}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  TPictureCollection pictures;
  try {
    reader_.ExtrairArquivo("fake.bmp", &pictures, nullptr);
    FAIL() << "no error raised";
  } catch (const EBitmapError& error) {
    EXPECT_STREQ(error.what(), "Bitmap image is not valid");
  }
  EXPECT_EQ(pictures.Count(), 0);
  EXPECT_EQ(reader_.Erro(), "O Zol Package file foi aberto com sucesso.");
}

// --- damaged packages -----------------------------------------------------

TEST_F(ZolPackLoadTest, EveryTruncationIsRefusedOrFailsOnlyTheCutEntries) {
  const Bytes first = NoiseBytes(40, 1), second = NoiseBytes(50, 2);
  const Bytes whole = ReadBytes(Package('e', {{"first", first}, {"second", second}}));
  const std::size_t dataStart = whole.size() - 90;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    WriteBytes(Path("cut.dpf"), Bytes(whole.begin(), whole.begin() + length));
    const bool opened = reader_.AbrePacote(Path("cut.dpf"));
    if (length < 12) {
      EXPECT_EQ(reader_.Erro(), "O arquivo " + Path("cut.dpf") + Ansi(" não é um arquivo Zol Package válido."));
    } else if (length < dataStart) {
      EXPECT_EQ(reader_.Erro(), "O arquivo " + Path("cut.dpf") + Ansi(" está incompleto."));
    }
    EXPECT_EQ(opened, length >= dataStart);
    if (!opened) continue;
    Bytes block;
    EXPECT_EQ(reader_.ExtrairDados("first", block), length >= dataStart + 40);
    EXPECT_EQ(reader_.ExtrairDados("second", block), false);
    EXPECT_EQ(reader_.Erro(), "Arquivo second incompleto no pacote.");
  }
}

TEST_F(ZolPackLoadTest, DirectoryFieldsThatCannotDescribeTheFileAreRefused) {
  const auto open = [&](const Bytes& bytes) {
    WriteBytes(Path("d.dpf"), bytes);
    return reader_.AbrePacote(Path("d.dpf"));
  };
  const std::string prefix = "O arquivo " + Path("d.dpf");
  Bytes negativeCount;
  ZolPackWriteHeader(negativeCount, 'd', -1, 19);
  EXPECT_FALSE(open(negativeCount));
  EXPECT_EQ(reader_.Erro(), prefix + Ansi(" possui um número negativo de arquivos."));
  EXPECT_EQ(reader_.ArquivosPacote(), 0);

  Bytes insideDirectory;
  ZolPackWriteHeader(insideDirectory, 'd', 1, 20);
  ZolPackWriteRecord(insideDirectory, 1, "abc");
  insideDirectory.push_back(0);
  EXPECT_FALSE(open(insideDirectory));
  EXPECT_EQ(reader_.Erro(), prefix + Ansi(" possui um início de dados inválido."));

  Bytes negativeSize;
  ZolPackWriteHeader(negativeSize, 'd', 2, 31);
  ZolPackWriteRecord(negativeSize, 1, "a");
  ZolPackWriteRecord(negativeSize, -5, "b");
  negativeSize.push_back(0);
  EXPECT_FALSE(open(negativeSize));
  EXPECT_EQ(reader_.Erro(), prefix + Ansi(" possui um tamanho de arquivo inválido."));
  EXPECT_EQ(reader_.PegaNome(1), "");  // no half-read directory is kept

  Bytes overflow;
  ZolPackWriteHeader(overflow, 'd', 2, 31);
  ZolPackWriteRecord(overflow, 0x7FFFFFF0, "a");
  ZolPackWriteRecord(overflow, 0x7FFFFFF0, "b");
  EXPECT_FALSE(open(overflow));
  EXPECT_EQ(reader_.Erro(), prefix + Ansi(" possui um tamanho de arquivo inválido."));

  Bytes pastTheEnd;
  ZolPackWriteHeader(pastTheEnd, 'd', 1, 25);
  ZolPackWriteRecord(pastTheEnd, 1000000, "a");
  pastTheEnd.push_back(7);
  ASSERT_TRUE(open(pastTheEnd));
  Bytes block;
  EXPECT_FALSE(reader_.ExtrairDados("a", block));
  EXPECT_EQ(reader_.Erro(), "Arquivo a incompleto no pacote.");
}

TEST_F(ZolPackLoadTest, APackageRemovedAfterOpeningFailsCleanly) {
  const std::string path = Package('d', {{"a", {1}}});
  ASSERT_TRUE(reader_.AbrePacote(path));
  std::filesystem::remove(path);
  Bytes block;
  EXPECT_FALSE(reader_.ExtrairDados("a", block));
  EXPECT_EQ(reader_.Erro(), Ansi("Não foi possível ler o arquivo ") + path + ".");
}

// --- decompression --------------------------------------------------------

std::string InflateError(const Bytes& stored, std::size_t limit = ZolPackMaxDecodedSize) {
  try {
    ZolPackInflate(stored.data(), stored.size(), limit);
  } catch (const EZDecompressionError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ZolPackInflate, ZlibErrorsCarryZlibsOwnMessages) {
  const Bytes good = Compressed(NoiseBytes(5000, 9));
  EXPECT_EQ(InflateError({}), "buffer error");
  EXPECT_EQ(InflateError(Bytes(good.begin(), good.end() - 6)), "buffer error");  // ends early
  Bytes corrupt = good;
  corrupt[0] ^= 0xFF;
  EXPECT_EQ(InflateError(corrupt), "data error");

  z_stream stream{};
  deflateInit(&stream, 6);
  const char dictionary[] = "ranch";
  deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary), 5);
  Bytes withDictionary(256);
  const Bytes plain(100, 'r');
  stream.next_in = const_cast<Bytef*>(plain.data());
  stream.avail_in = static_cast<uInt>(plain.size());
  stream.next_out = withDictionary.data();
  stream.avail_out = static_cast<uInt>(withDictionary.size());
  deflate(&stream, Z_FINISH);
  withDictionary.resize(stream.total_out);
  deflateEnd(&stream);
  EXPECT_EQ(InflateError(withDictionary), "need dictionary");
}

TEST(ZolPackInflate, OutputGrowsInStepsAndIsBounded) {
  const Bytes plain(1 << 20, 'a');
  const Bytes stored = Compressed(plain);
  ASSERT_LT(stored.size() * 100, plain.size());
  EXPECT_EQ(ZolPackInflate(stored.data(), stored.size()), plain);
  EXPECT_EQ(ZolPackInflate(stored.data(), stored.size(), plain.size()), plain);  // exactly at the bound
  EXPECT_EQ(InflateError(stored, plain.size() - 1), "Dados descomprimidos passam do limite de " + std::to_string(plain.size() - 1) + " bytes.");
  EXPECT_EQ(InflateError(stored, std::size_t(1) << 19), "Dados descomprimidos passam do limite de 524288 bytes.");
}

TEST_F(ZolPackLoadTest, ACompressedEntryOfNoBytesRaisesAndLeavesTheMessage) {
  Bytes package;
  ZolPackWriteHeader(package, 'f', 1, 25);
  ZolPackWriteRecord(package, 0, "a");
  WriteBytes(Path("z.dpf"), package);
  ASSERT_TRUE(reader_.AbrePacote(Path("z.dpf")));
  Bytes block;
  EXPECT_THROW(reader_.ExtrairDados("a", block), EZDecompressionError);
  EXPECT_EQ(reader_.Erro(), "O Zol Package file foi aberto com sucesso.");
  EXPECT_EQ(reader_.ArquivosPacote(), 1);
}

}  // namespace

// The reader's texts are Windows-1252 bytes; pinned here byte by byte so that
// neither the source encoding nor a conversion can shift an accent.
TEST_F(ZolPackLoadTest, MessagesAreExactWindows1252Bytes) {
  EXPECT_FALSE(reader_.AbrePacote(Path("none.dpf")));
  EXPECT_EQ(reader_.Erro(), "Arquivo " + Path("none.dpf") + " n\xE3o existente.");

  WriteBytes(Path("sig.dpf"), Bytes(19, 'x'));
  EXPECT_FALSE(reader_.AbrePacote(Path("sig.dpf")));
  EXPECT_EQ(reader_.Erro(), "O arquivo " + Path("sig.dpf") + " n\xE3o \xE9 um arquivo Zol Package v\xE1lido.");

  Bytes header;
  ZolPackWriteHeader(header, 'c', 0, 19);
  WriteBytes(Path("c.dpf"), header);
  EXPECT_FALSE(reader_.AbrePacote(Path("c.dpf")));
  EXPECT_EQ(reader_.Erro(), "Vers\xE3o de Zol Package desconhecida.");

  header.clear();
  ZolPackWriteHeader(header, 'd', 1025, 19);
  WriteBytes(Path("big.dpf"), header);
  EXPECT_FALSE(reader_.AbrePacote(Path("big.dpf")));
  EXPECT_EQ(reader_.Erro(),
            "O arquivo " + Path("big.dpf") + " possui mais arquivos do que o n\xFAmero suportado.");

  ASSERT_TRUE(reader_.AbrePacote(Package('g', {{"a.bin", {1, 2}}})));
  Bytes block;
  EXPECT_FALSE(reader_.ExtrairDados("b.bin", block));
  EXPECT_EQ(reader_.Erro(), "Arquivo b.bin n\xE3o encontrado no pacote.");
  EXPECT_TRUE(reader_.ExtrairDados("A.BIN", block));
  EXPECT_EQ(reader_.Erro(), "Arquivo A.BIN extra\xED" "do com sucesso.");
  TWaveCollection waves;
  EXPECT_EQ(reader_.ExtrairAudios(waves), 0);
  EXPECT_EQ(reader_.Erro(), "0 arquivos de \xE1udio carregados com sucesso.");
  EXPECT_EQ(reader_.PegaNome(2), "");
  EXPECT_EQ(reader_.Erro(), "Tentativa de pegar nome em \xEDndice inexistente.");
  EXPECT_EQ(reader_.PegaPosicao(2), 0);
  EXPECT_EQ(reader_.Erro(), "Tentativa de pegar posi\xE7\xE3o em \xEDndice inexistente.");
  EXPECT_EQ(reader_.PegaTamanho(2), 0);
  EXPECT_EQ(reader_.Erro(), "Tentativa de pegar tamanho em \xEDndice inexistente.");
}
