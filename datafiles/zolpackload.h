#pragma once
// Reader of the game's asset package ("[ZOLPKGFILE]"): up to 1024 named
// entries, optionally scrambled and zlib-compressed. Every operation leaves a
// Portuguese message that Erro returns.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class TPictureCollection;
class TWaveCollection;

class EZDecompressionError : public std::runtime_error {  // zlib's own message
  using std::runtime_error::runtime_error;
};

constexpr int ZolPackMaxEntries = 1024;
// Decoded entries larger than this are refused rather than exhausting memory.
constexpr std::size_t ZolPackMaxDecodedSize = std::size_t(256) << 20;

// Inflates one zlib stream, growing the output in steps of the input size
// rounded up to 256 bytes. Raises EZDecompressionError with zlib's message
// for an error code, for a stream that wants a preset dictionary, or when the
// output would pass the limit.
std::vector<std::uint8_t> ZolPackInflate(const std::uint8_t* data, std::size_t size,
                                         std::size_t limit = ZolPackMaxDecodedSize);
// The same into out, whose memory is reused; out's contents are unspecified
// after an error.
void ZolPackInflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t limit = ZolPackMaxDecodedSize);

class TZolPackLoad {
 public:
  TZolPackLoad();
  bool Encriptar = false;
  bool Comprimir = false;

  void Reseta();
  bool AbrePacote(const std::string& path);
  // Adds the entry to the picture list or the wave list. A picture that is
  // not a bitmap raises EBitmapError (zolbitmap.h), a broken wave
  // EWaveStreamError; either way no item is added.
  bool ExtrairArquivo(const std::string& name, TPictureCollection* pictures,
                      TWaveCollection* waves);
  bool ExtrairDados(const std::string& name, std::vector<std::uint8_t>& block);
  int ExtrairImagens(TPictureCollection& pictures);
  int ExtrairAudios(TWaveCollection& waves);
  std::string Erro() const;  // Windows-1252 bytes
  static void Crypt(std::uint8_t* buffer, std::size_t length);
  int ArquivosPacote() const;
  std::string PegaNome(int index);
  std::int32_t PegaPosicao(int index);
  std::int32_t PegaTamanho(int index);

 private:
  // Lookup, read, unscramble and (when compressed) inflate one entry into
  // decoded_.
  bool ReadEntry(const std::string& name);
  int ExtractByExtension(const char* extension, TPictureCollection* pictures,
                         TWaveCollection* waves);
  bool Refuse(const std::string& message);

  std::string names_[ZolPackMaxEntries + 1];   // slots 1..1024
  std::int32_t sizes_[ZolPackMaxEntries + 1] = {};
  std::int32_t positions_[ZolPackMaxEntries + 1] = {};
  std::string path_;
  std::int32_t count_ = 0;
  std::string message_;
  // Working buffers kept between extractions, so that extracting many
  // entries does not keep asking the system for fresh memory.
  std::vector<std::uint8_t> stored_;
  std::vector<std::uint8_t> decoded_;
};
