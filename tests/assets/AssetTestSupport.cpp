#include "AssetTestSupport.h"

#include <fstream>
#include <iterator>

namespace assettest {

TBytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Le16(const TBytes& b, std::size_t at) { return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0; }
std::uint32_t Le32(const TBytes& b, std::size_t at) { return at + 4 <= b.size() ? Le16(b, at) | Le16(b, at + 2) << 16 : 0; }

art::TCanvas DecodeBmp24(const TBytes& b, std::string& why) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return why = "no BM header", art::TCanvas();
  const std::uint32_t offset = Le32(b, 10), width = Le32(b, 18);
  const std::int32_t height = static_cast<std::int32_t>(Le32(b, 22));
  if (Le32(b, 14) != 40) return why = "not a 40-byte info header", art::TCanvas();
  if (Le16(b, 28) != 24 || Le32(b, 30) != 0) return why = "not uncompressed 24-bit", art::TCanvas();
  if (height <= 0) return why = "rows not stored bottom-up", art::TCanvas();
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  if (Le32(b, 2) != b.size() || offset + stride * height > b.size()) return why = "sizes disagree with the file", art::TCanvas();
  art::TCanvas c(static_cast<int>(width), height);
  for (std::int32_t row = 0; row < height; ++row)
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::size_t p = offset + row * stride + x * 3;
      c.Set(static_cast<int>(x), height - 1 - row, 0xFF000000u | b[p + 2] << 16 | b[p + 1] << 8 | b[p]);
    }
  return c;
}

std::string ArtFile(const std::string& name) { return std::string(ZV_ART_DIR) + "/" + name; }
std::string DataFile(const std::string& name) { return std::string(ZV_DATA_DIR) + "/" + name; }

}  // namespace assettest
