// Arbitrary bytes opened as an asset package, with every entry extracted as
// raw data, as a picture and as a sound. Only the named decoding errors may
// come out; anything else is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "datafiles/zolbitmap.h"
#include "datafiles/zolpackload.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"

namespace {

template <typename Action>
void Decode(Action action) {
  try {
    action();
  } catch (const EZDecompressionError&) {
  } catch (const EBitmapError&) {
  } catch (const EWaveStreamError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader works on files; memory-backed ones keep the fuzzer fast.
  static const std::string path = "/dev/shm/fuzz_package_" + std::to_string(getpid()) + ".dpf";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  static TZolPackLoad reader;
  if (!reader.AbrePacote(path)) return 0;
  TPictureCollection pictures;
  TWaveCollection waves;
  for (int i = 1; i <= reader.ArquivosPacote(); ++i) {
    const std::string name = reader.PegaNome(i);
    std::vector<std::uint8_t> block;
    Decode([&] { reader.ExtrairDados(name, block); });
    Decode([&] { reader.ExtrairArquivo(name, &pictures, nullptr); });
    Decode([&] { reader.ExtrairArquivo(name, nullptr, &waves); });
  }
  Decode([&] { reader.ExtrairImagens(pictures); });
  return 0;
}
