// zolpack: writes, lists, extracts and inspects the game's asset packages.
//   zolpack create [--version d|e|f|g] OUT FILE...
//   zolpack list PKG
//   zolpack extract PKG NAME OUT
//   zolpack info PKG
// Failures print the reader's message, in UTF-8, on stderr and exit with 1
// (2 for a wrong command line).
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "datafiles/zolbitmap.h"
#include "datafiles/zolpackformat.h"
#include "datafiles/zolpackload.h"
#include "present/Stream.h"
#include "present/Wave.h"

namespace {

constexpr const char* Usage =
    "Uso: zolpack create [--version d|e|f|g] SAIDA ARQUIVO...\n"
    "     zolpack list PACOTE\n"
    "     zolpack extract PACOTE NOME SAIDA\n"
    "     zolpack info PACOTE";

// A failure whose message is already UTF-8.
struct TFailure {
  std::string Message;
};

// Reader messages are Windows-1252 but may quote a path given on the command
// line, whose bytes are already UTF-8 and must not be converted again.
std::string MessageToUtf8(const std::string& message, const std::string& path) {
  if (path.empty()) return Cp1252ToUtf8(message);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = message.find(path, from)) != std::string::npos; from = at + path.size()) {
    out += Cp1252ToUtf8(std::string_view(message).substr(from, at - from));
    out += path;
  }
  return out + Cp1252ToUtf8(std::string_view(message).substr(from));
}

std::string ToCp1252(std::string_view text) {
  return Utf8ToCp1252(text).value_or(std::string(text));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::error_code error;
  std::ifstream in(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path, error) || !in)
    throw TFailure{"Arquivo " + path + " não existente."};
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw TFailure{"Não foi possível ler o arquivo " + path + "."};
  return bytes;
}

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  QSaveFile file(QString::fromStdString(path));
  file.setDirectWriteFallback(false);
  const auto size = static_cast<qint64>(bytes.size());
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit())
    throw TFailure{"Não foi possível gravar o arquivo " + path + "."};
}

// The entry name of a file: its name without folders, in Windows-1252 and
// lower case.
std::string EntryNameOf(const std::string& path) {
  const std::string base = std::filesystem::path(path).filename().string();
  const auto name = Utf8ToCp1252(base);
  if (base.empty() || !name) throw TFailure{"O nome de " + path + " não pode ser guardado no pacote."};
  return Cp1252Lower(*name);
}

int Create(const std::vector<std::string>& args) {
  std::size_t next = 0;
  char version = 'g';
  if (next < args.size() && args[next] == "--version") {
    if (next + 1 >= args.size() || args[next + 1].size() != 1 || !ZolPackFlagsOf(args[next + 1][0]))
      throw TFailure{"Versão de Zol Package desconhecida."};
    version = args[next + 1][0];
    next += 2;
  }
  if (args.size() - next < 2) throw TFailure{Usage};
  const std::string out = args[next++];
  const TZolPackFlags flags = *ZolPackFlagsOf(version);
  std::vector<TZolPackStoredEntry> entries;
  for (; next < args.size(); ++next)
    entries.push_back({EntryNameOf(args[next]), ZolPackEncode(ReadFile(args[next]), flags)});
  try {
    WriteFileAtomically(out, ZolPackBuild(version, entries));
  } catch (const EZolPackFormatError& error) {
    throw TFailure{Cp1252ToUtf8(error.what())};
  }
  return 0;
}

void Open(TZolPackLoad& reader, const std::string& path) {
  if (!reader.AbrePacote(path)) throw TFailure{MessageToUtf8(reader.Erro(), path)};
}

int List(const std::string& path) {
  TZolPackLoad reader;
  Open(reader, path);
  for (int i = 1; i <= reader.ArquivosPacote(); ++i)
    std::printf("%d %s %d %d\n", i, Cp1252ToUtf8(reader.PegaNome(i)).c_str(), reader.PegaTamanho(i),
                reader.PegaPosicao(i));
  return 0;
}

int Extract(const std::string& path, const std::string& name, const std::string& out) {
  TZolPackLoad reader;
  Open(reader, path);
  std::vector<std::uint8_t> block;
  try {
    if (!reader.ExtrairDados(ToCp1252(name), block)) throw TFailure{MessageToUtf8(reader.Erro(), path)};
  } catch (const EZDecompressionError& error) {
    throw TFailure{error.what()};
  }
  WriteFileAtomically(out, block);
  return 0;
}

// Appends one space-separated field to an output line.
void Field(std::string& line, std::string_view value) {
  line += ' ';
  line += value;
}

// What the decoded bytes of a picture or sound entry hold, or the error that
// decoding them raised; false when decoding failed.
bool Describe(const std::string& name, const std::vector<std::uint8_t>& block, std::string& line) {
  const std::string extension = ZolPackExtension(name);
  try {
    if (extension == ".bmp") {
      const TBitmap bitmap = ZolLoadBitmap(block.data(), block.size());
      Field(line, "bitmap");
      Field(line, std::to_string(bitmap.Width) + "x" + std::to_string(bitmap.Height));
    } else if (extension == ".wav") {
      TMemoryStream stream(block.data(), block.size());
      TWave wave;
      wave.LoadFromStream(stream);
      Field(line, "wave");
      for (const std::size_t value : {std::size_t(wave.FormatTag()), std::size_t(wave.Channels()),
                                      std::size_t(wave.SamplesPerSec()), std::size_t(wave.BitsPerSample()),
                                      wave.DataSize()})
        Field(line, std::to_string(value));
    }
    return true;
  } catch (const std::exception& error) {
    Field(line, error.what());
    return false;
  }
}

// One line per entry; an entry that cannot be decoded shows the error in its
// line (with "-" for a decoded size that could not be found) and makes the
// exit status 1.
int Info(const std::string& path) {
  TZolPackLoad reader;
  Open(reader, path);
  int status = 0;
  for (int i = 1; i <= reader.ArquivosPacote(); ++i) {
    const std::string name = reader.PegaNome(i);
    std::string line = Cp1252ToUtf8(name);
    Field(line, std::to_string(reader.PegaTamanho(i)));
    std::vector<std::uint8_t> block;
    try {
      if (reader.ExtrairDados(name, block)) {
        Field(line, std::to_string(block.size()));
        if (!Describe(name, block, line)) status = 1;
      } else {
        Field(line, "-");
        Field(line, MessageToUtf8(reader.Erro(), path));
        status = 1;
      }
    } catch (const EZDecompressionError& error) {
      Field(line, "-");
      Field(line, error.what());
      status = 1;
    }
    std::printf("%s\n", line.c_str());
  }
  return status;
}

int Run(const std::vector<std::string>& args) {
  const std::string command = args.empty() ? std::string() : args[0];
  const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  if (command == "create") return Create(rest);
  if (command == "list" && rest.size() == 1) return List(rest[0]);
  if (command == "extract" && rest.size() == 3) return Extract(rest[0], rest[1], rest[2]);
  if (command == "info" && rest.size() == 1) return Info(rest[0]);
  throw TFailure{Usage};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const TFailure& failure) {
    std::fprintf(stderr, "%s\n", failure.Message.c_str());
    return failure.Message == Usage ? 2 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
