#include "DataFilesTestSupport.h"

#include <algorithm>
#include <map>

namespace zvtest {
namespace {

std::vector<int> Indexed(const TTestImage& image, std::vector<std::uint32_t>& palette) {
  std::map<std::uint32_t, int> slot;
  std::vector<int> indices;
  for (std::uint32_t rgb : image.Rgb) {
    auto [it, added] = slot.emplace(rgb, static_cast<int>(palette.size()));
    if (added) palette.push_back(rgb);
    indices.push_back(it->second);
  }
  return indices;
}

void PadTo(Bytes& out, std::size_t start, std::size_t multiple) {
  while ((out.size() - start) % multiple) out.push_back(0);
}

// Runs of equal indices in encoded mode; stretches of differing indices of
// three or more in absolute mode, as real encoders mix them.
void EncodeRleRow(Bytes& out, const int* row, int width, bool fourBit) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(static_cast<std::uint8_t>(fourBit ? (row[x] << 4) | row[x] : row[x]));
      x += run;
      continue;
    }
    int literal = 1;
    while (x + literal < width && literal < 254 &&
           !(x + literal + 1 < width && row[x + literal] == row[x + literal + 1]))
      ++literal;
    if (literal < 3) {
      out.push_back(1);
      out.push_back(static_cast<std::uint8_t>(fourBit ? (row[x] << 4) | row[x] : row[x]));
      ++x;
      continue;
    }
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(literal));
    const std::size_t start = out.size();
    for (int i = 0; i < literal; ++i) {
      if (!fourBit) out.push_back(static_cast<std::uint8_t>(row[x + i]));
      else if (i % 2 == 0) out.push_back(static_cast<std::uint8_t>(row[x + i] << 4));
      else out.back() |= static_cast<std::uint8_t>(row[x + i]);
    }
    PadTo(out, start, 2);
    x += literal;
  }
  out.push_back(0);
  out.push_back(0);
}

void EncodePlainRow(Bytes& out, const TTestImage& image, const std::vector<int>& indices, int y,
                    int bits, TBmpKind kind) {
  const std::size_t start = out.size();
  const int w = image.Width;
  for (int x = 0; x < w; ++x) {
    const std::uint32_t rgb = image.Rgb[std::size_t(y) * w + x];
    const std::uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    const int index = indices.empty() ? 0 : indices[std::size_t(y) * w + x];
    switch (bits) {
      case 1:
      case 4: {
        const int perByte = 8 / bits;
        if (x % perByte == 0) out.push_back(0);
        out.back() |= static_cast<std::uint8_t>(index << (8 - bits * (x % perByte + 1)));
        break;
      }
      case 8:
        out.push_back(static_cast<std::uint8_t>(index));
        break;
      case 16:
        PutLe(out, kind == TBmpKind::Rgb ? (r >> 3) << 10 | (g >> 3) << 5 | b >> 3
                                         : (r >> 3) << 11 | (g >> 2) << 5 | b >> 3, 2);
        break;
      case 24:
        out.insert(out.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)});
        break;
      default:
        out.insert(out.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r),
                               std::uint8_t(kind == TBmpKind::V5Alpha ? 0x80 : 0)});
    }
  }
  PadTo(out, start, 4);
}

}  // namespace

Bytes EncodeBmp(const TTestImage& image, int bits, TBmpKind kind, bool topDown) {
  std::vector<std::uint32_t> palette;
  std::vector<int> indices;
  if (bits <= 8) indices = Indexed(image, palette);
  palette.resize(bits <= 8 ? std::size_t(1) << bits : 0);

  Bytes pixels;
  for (int i = 0; i < image.Height; ++i) {
    const int y = topDown ? i : image.Height - 1 - i;
    if (kind == TBmpKind::Rle) EncodeRleRow(pixels, &indices[std::size_t(y) * image.Width], image.Width, bits == 4);
    else EncodePlainRow(pixels, image, indices, y, bits, kind);
  }
  if (kind == TBmpKind::Rle) pixels.insert(pixels.end(), {0, 1});

  const bool withMasks = kind == TBmpKind::Bitfields || kind == TBmpKind::V5Alpha;
  const std::uint32_t headerSize = kind == TBmpKind::V5Alpha ? 124 : 40;
  const std::uint32_t masksAfter = kind == TBmpKind::Bitfields ? 12 : 0;
  const std::uint32_t offset = 14 + headerSize + masksAfter + std::uint32_t(palette.size() * 4);
  std::uint32_t compression = 0;
  if (kind == TBmpKind::Rle) compression = bits == 8 ? 1 : 2;
  if (withMasks) compression = 3;

  Bytes out = {'B', 'M'};
  PutLe(out, offset + std::uint32_t(pixels.size()), 4);
  PutLe(out, 0, 4);
  PutLe(out, offset, 4);
  PutLe(out, headerSize, 4);
  PutLe(out, static_cast<std::uint32_t>(image.Width), 4);
  PutLe(out, static_cast<std::uint32_t>(topDown ? -image.Height : image.Height), 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<std::uint32_t>(bits), 2);
  PutLe(out, compression, 4);
  PutLe(out, std::uint32_t(pixels.size()), 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, std::uint32_t(palette.size()), 4);
  PutLe(out, 0, 4);
  const bool is565 = bits == 16;
  const std::uint32_t masks[4] = {is565 ? 0xF800u : 0x00FF0000u, is565 ? 0x07E0u : 0x0000FF00u,
                                  is565 ? 0x001Fu : 0x000000FFu, 0xFF000000u};
  if (kind == TBmpKind::Bitfields)
    for (int i = 0; i < 3; ++i) PutLe(out, masks[i], 4);
  if (kind == TBmpKind::V5Alpha) {
    for (std::uint32_t mask : masks) PutLe(out, mask, 4);
    PutLe(out, 0x73524742, 4);  // sRGB
    out.resize(out.size() + 36 + 12, 0);
    PutLe(out, 4, 4);  // perceptual intent
    out.resize(out.size() + 12, 0);
  }
  for (std::uint32_t rgb : palette) PutLe(out, rgb, 4);  // B, G, R, 0
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TToolRun RunZolpack(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(ZOLPACK_PATH), arguments);
  TToolRun run;
  if (!process.waitForFinished(60000)) return run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

}  // namespace zvtest
