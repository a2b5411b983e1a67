// Writes the package's bitmaps and waves into the folder given on the command line.
#include <cstdio>
#include <string>

#include "assets/art/Files.h"
#include "assets/art/Sheets.h"
#include "assets/art/Sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zv_makeart OUTDIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  struct TPicture {
    const char* name;
    art::TCanvas (*make)();
  };
  const TPicture pictures[] = {{"chao.bmp", art::MakeChao},
                               {"casas.bmp", art::MakeCasas},
                               {"equip.bmp", art::MakeEquip},
                               {"constru.bmp", art::MakeConstru},
                               {"status.bmp", art::MakeStatus}};
  for (const TPicture& p : pictures)
    if (!art::WriteFile(dir + p.name, art::EncodeBmp(p.make()))) {
      std::fprintf(stderr, "zv_makeart: cannot write %s%s\n", dir.c_str(), p.name);
      return 1;
    }
  for (const art::TSound& s : art::MakeSounds())
    if (!art::WriteFile(dir + s.name, art::EncodeWav(s.samples, art::SoundRate))) {
      std::fprintf(stderr, "zv_makeart: cannot write %s%s\n", dir.c_str(), s.name.c_str());
      return 1;
    }
  return 0;
}
