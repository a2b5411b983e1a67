#include "datafiles/zolpackload.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include "datafiles/zolbitmap.h"
#include "datafiles/zolpackformat.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"
#include "present/Stream.h"
#include "present/Wave.h"

namespace {

// Messages are written here in UTF-8 for readability and kept as
// Windows-1252, like every text inside the game.
std::string Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8).value_or(std::string(utf8)); }

// The game asks for lower-case names; only A..Z change, as the package
// stores its names already lowered.
std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// A package file opened for one operation and closed when it goes out of
// scope, on every path out including a raised decoding error.
class TPackageFile {
 public:
  explicit TPackageFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
  explicit operator bool() const { return file_ != nullptr; }

  bool Read(void* dest, std::size_t count) {
    return count == 0 || std::fread(dest, 1, count, file_.get()) == count;
  }
  template <typename T>
  bool ReadLe(T& value) {
    std::uint8_t bytes[sizeof(T)];
    if (!Read(bytes, sizeof(T))) return false;
    std::make_unsigned_t<T> raw = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) raw |= std::make_unsigned_t<T>(bytes[i]) << (8 * i);
    value = static_cast<T>(raw);
    return true;
  }
  bool Seek(std::int64_t position) { return fseeko(file_.get(), position, SEEK_SET) == 0; }
  std::int64_t Size() {
    const off_t here = ftello(file_.get());
    if (fseeko(file_.get(), 0, SEEK_END) != 0) return -1;
    const off_t size = ftello(file_.get());
    fseeko(file_.get(), here, SEEK_SET);
    return size;
  }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

// Owns a zlib inflate stream so that it is ended on every way out.
class TInflater {
 public:
  TInflater(const std::uint8_t* data, std::size_t size) {
    if (size > std::numeric_limits<uInt>::max()) throw EZDecompressionError(zError(Z_BUF_ERROR));
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    // The reader asks for the oldest zlib interface it was written against.
    const int code = inflateInit_(&stream_, "1.2.1", static_cast<int>(sizeof(stream_)));
    if (code < 0) throw EZDecompressionError(zError(code));
    active_ = true;
  }
  ~TInflater() {
    if (active_) inflateEnd(&stream_);
  }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;

  // One inflate call into room bytes at out; returns zlib's code.
  int Step(std::uint8_t* out, std::size_t room) {
    static Bytef nowhere;  // zlib refuses a null output even with no room
    stream_.next_out = room ? out : &nowhere;
    stream_.avail_out = static_cast<uInt>(room);
    return inflate(&stream_, Z_NO_FLUSH);
  }
  std::size_t RoomLeft() const { return stream_.avail_out; }
  void End() {
    active_ = false;
    const int code = inflateEnd(&stream_);
    if (code < 0) throw EZDecompressionError(zError(code));
  }

 private:
  z_stream stream_{};
  bool active_ = false;
};

std::string LimitMessage(std::size_t limit) {
  const bool wholeMiB = limit % (std::size_t(1) << 20) == 0;
  return "Dados descomprimidos passam do limite de " +
         (wholeMiB ? std::to_string(limit >> 20) + " MiB." : std::to_string(limit) + " bytes.");
}

}  // namespace

std::vector<std::uint8_t> ZolPackInflate(const std::uint8_t* data, std::size_t size,
                                         std::size_t limit) {
  std::vector<std::uint8_t> out;
  ZolPackInflate(data, size, out, limit);
  return out;
}

void ZolPackInflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t limit) {
  TInflater inflater(data, size);
  const std::size_t step = (size + 255) / 256 * 256;
  // Bytes already in out are overwritten rather than cleared first, which
  // saves filling a reused buffer with zeros.
  std::size_t produced = 0;
  for (;;) {
    const std::size_t room = std::min(step, limit - produced);
    if (room == 0 && step != 0) throw EZDecompressionError(LimitMessage(limit));
    if (out.size() < produced + room) out.resize(produced + room);
    const int code = inflater.Step(out.data() + produced, room);
    produced += room - inflater.RoomLeft();
    if (code == Z_STREAM_END) break;
    // A preset dictionary is never part of a package entry; without this
    // check the loop would grow the output for ever.
    if (code < 0 || code == Z_NEED_DICT) throw EZDecompressionError(zError(code));
  }
  inflater.End();
  out.resize(produced);
}

TZolPackLoad::TZolPackLoad() { Reseta(); }

void TZolPackLoad::Reseta() {
  for (int i = 0; i <= ZolPackMaxEntries; ++i) {
    names_[i].clear();
    sizes_[i] = 0;
    positions_[i] = 0;
  }
  count_ = 0;
  path_.clear();
  message_.clear();
  // The game resets the reader once its assets are loaded; give the working
  // memory back then.
  stored_ = {};
  decoded_ = {};
}

bool TZolPackLoad::Refuse(const std::string& message) {
  message_ = message;
  return false;
}

bool TZolPackLoad::AbrePacote(const std::string& path) {
  if (!IsExistingFile(path)) return Refuse("Arquivo " + path + Ansi(" não existente."));
  Reseta();
  TPackageFile file(path);
  if (!file) return Refuse(Ansi("Não foi possível ler o arquivo ") + path + ".");

  const std::string incomplete = "O arquivo " + path + Ansi(" está incompleto.");
  char signature[ZolPackSignature.size()];
  if (!file.Read(signature, sizeof signature) ||
      std::string_view(signature, sizeof signature) != ZolPackSignature)
    return Refuse("O arquivo " + path + Ansi(" não é um arquivo Zol Package válido."));

  char version = 0;
  if (!file.Read(&version, 1)) return Refuse(incomplete);
  const auto flags = ZolPackFlagsOf(version);
  if (!flags) return Refuse(Ansi("Versão de Zol Package desconhecida."));
  Encriptar = flags->Encriptar;
  Comprimir = flags->Comprimir;

  std::int32_t count = 0;
  if (!file.ReadLe(count)) return Refuse(incomplete);
  if (count > ZolPackMaxEntries)
    return Refuse("O arquivo " + path + Ansi(" possui mais arquivos do que o número suportado."));
  if (count < 0)
    return Refuse("O arquivo " + path + Ansi(" possui um número negativo de arquivos."));

  std::uint16_t dataStart = 0;
  if (!file.ReadLe(dataStart)) return Refuse(incomplete);

  // Directory checks: the whole directory must be present, every size and
  // position must make sense, and the data may not start inside it.
  std::int64_t position = dataStart;
  std::size_t directoryEnd = ZolPackHeaderSize;
  for (int i = 1; i <= count; ++i) {
    std::int32_t size = 0;
    std::uint8_t length = 0;
    char name[256] = {};
    if (!file.ReadLe(size) || !file.Read(&length, 1) || !file.Read(name, length)) {
      Reseta();
      return Refuse(incomplete);
    }
    if (size < 0 || position + size > std::numeric_limits<std::int32_t>::max()) {
      Reseta();
      return Refuse("O arquivo " + path + Ansi(" possui um tamanho de arquivo inválido."));
    }
    names_[i].assign(name, strnlen(name, length));
    sizes_[i] = size;
    positions_[i] = static_cast<std::int32_t>(position);
    position += size;
    directoryEnd += ZolPackRecordFixedSize + length;
  }
  if (dataStart < directoryEnd) {
    Reseta();
    return Refuse("O arquivo " + path + Ansi(" possui um início de dados inválido."));
  }

  count_ = count;
  path_ = path;
  message_ = "O Zol Package file foi aberto com sucesso.";
  return true;
}

bool TZolPackLoad::ReadEntry(const std::string& name) {
  if (count_ == 0) return Refuse("Nenhum Zol Package File foi aberto.");
  const std::string wanted = AsciiLower(name);
  int index = 0;
  for (int i = 1; i <= count_ && index == 0; ++i)
    if (names_[i] == wanted) index = i;
  if (index == 0) return Refuse("Arquivo " + name + Ansi(" não encontrado no pacote."));

  TPackageFile file(path_);
  if (!file) return Refuse(Ansi("Não foi possível ler o arquivo ") + path_ + ".");
  // The file is read again for every entry, so it may have shrunk since the
  // directory was read; never read past its end.
  const std::int64_t end = std::int64_t(positions_[index]) + sizes_[index];
  if (file.Size() < end || !file.Seek(positions_[index]))
    return Refuse("Arquivo " + name + " incompleto no pacote.");
  stored_.resize(static_cast<std::size_t>(sizes_[index]));
  if (!file.Read(stored_.data(), stored_.size()))
    return Refuse("Arquivo " + name + " incompleto no pacote.");

  if (Encriptar) Crypt(stored_.data(), stored_.size());
  if (Comprimir)
    ZolPackInflate(stored_.data(), stored_.size(), decoded_);
  else
    decoded_.swap(stored_);
  return true;
}

bool TZolPackLoad::ExtrairArquivo(const std::string& name, TPictureCollection* pictures,
                                  TWaveCollection* waves) {
  if (!pictures && !waves && count_ != 0)
    return Refuse("Nenhuma lista foi indicada para o arquivo " + name + ".");
  if (!ReadEntry(name)) return false;
  // Decode completely before adding, so a damaged entry adds no item.
  if (waves) {
    TMemoryStream stream(std::move(decoded_));
    TWave wave;
    wave.LoadFromStream(stream);
    // The next entry decodes into the same memory, already in use.
    decoded_.swap(stream.Bytes());
    TWaveCollectionItem& item = waves->Add();
    item.Name = name;
    item.Wave = std::move(wave);
    item.RebuildBuffer();
  } else {
    TBitmap bitmap = ZolLoadBitmap(decoded_.data(), decoded_.size());
    TPictureCollectionItem& item = pictures->Add();
    item.Name = name;
    item.Picture = std::move(bitmap);
    item.Transparent = false;
    item.RebuildPatterns();
  }
  message_ = "Arquivo " + name + Ansi(" extraído com sucesso.");
  return true;
}

bool TZolPackLoad::ExtrairDados(const std::string& name, std::vector<std::uint8_t>& block) {
  if (!ReadEntry(name)) return false;
  // The caller's old block becomes the next working buffer.
  block.swap(decoded_);
  message_ = "Arquivo " + name + Ansi(" extraído com sucesso.");
  return true;
}

int TZolPackLoad::ExtractByExtension(const char* extension, TPictureCollection* pictures,
                                     TWaveCollection* waves) {
  int extracted = 0;
  for (int i = 1; i <= count_; ++i) {
    const std::string stored = names_[i];
    if (ZolPackExtension(stored) == extension && ExtrairArquivo(stored, pictures, waves))
      ++extracted;
  }
  return extracted;
}

int TZolPackLoad::ExtrairImagens(TPictureCollection& pictures) {
  const int extracted = ExtractByExtension(".bmp", &pictures, nullptr);
  message_ = std::to_string(extracted) + " arquivos de imagem carregados com sucesso.";
  return extracted;
}

int TZolPackLoad::ExtrairAudios(TWaveCollection& waves) {
  const int extracted = ExtractByExtension(".wav", nullptr, &waves);
  message_ = std::to_string(extracted) + Ansi(" arquivos de áudio carregados com sucesso.");
  return extracted;
}

std::string TZolPackLoad::Erro() const { return message_; }

void TZolPackLoad::Crypt(std::uint8_t* buffer, std::size_t length) { ZolPackCrypt(buffer, length); }

int TZolPackLoad::ArquivosPacote() const { return count_; }

std::string TZolPackLoad::PegaNome(int index) {
  if (index >= 1 && index <= count_) return names_[index];
  message_ = Ansi("Tentativa de pegar nome em índice inexistente.");
  return {};
}

std::int32_t TZolPackLoad::PegaPosicao(int index) {
  if (index >= 1 && index <= count_) return positions_[index];
  message_ = Ansi("Tentativa de pegar posição em índice inexistente.");
  return 0;
}

std::int32_t TZolPackLoad::PegaTamanho(int index) {
  if (index >= 1 && index <= count_) return sizes_[index];
  message_ = Ansi("Tentativa de pegar tamanho em índice inexistente.");
  return 0;
}
