// The companion file: the economy's state to bytes and back, checked field by
// field, and the file written atomically with plain POSIX calls.
#include "economy/EcoFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "economy/EcoRules.h"
#include "economy/Economy.h"

namespace {

constexpr std::size_t BooksSize = 84;
constexpr std::size_t PastureSize = 16;
constexpr std::size_t PlayableSide = MapSize - 2;
constexpr std::size_t OffsetMonth = 64;
constexpr std::size_t OffsetMonths = OffsetMonth + BooksSize;
constexpr std::size_t OffsetYears = OffsetMonths + TEconomy::MonthsKept * BooksSize;
constexpr std::size_t OffsetPastures = OffsetYears + TEconomy::YearsKept * BooksSize;
constexpr std::size_t OffsetLayer = OffsetPastures + MaxPastures * PastureSize;
constexpr std::size_t OffsetForage = OffsetLayer + PlayableSide * PlayableSide;
constexpr std::size_t OffsetCrc = OffsetForage + 2 * PlayableSide * PlayableSide;
static_assert(OffsetMonths == 148 && OffsetYears == 2164 && OffsetPastures == 3004);
static_assert(OffsetLayer == 7084 && OffsetForage == 16300 && OffsetCrc == 34732);
static_assert(OffsetCrc + 4 == EcoFileSize);

constexpr std::uint16_t NoId = 0xFFFF;
constexpr std::int64_t MoneyLimit = 1'000'000'000'000LL;  // beyond any real ranch; keeps sums safe

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

class TWriter {
 public:
  explicit TWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  void U8(std::uint64_t v) { Put(v, 1); }
  void U16(std::uint64_t v) { Put(v, 2); }
  void U32(std::uint64_t v) { Put(v, 4); }
  void I64(std::int64_t v) { Put(static_cast<std::uint64_t>(v), 8); }
  void U64(std::uint64_t v) { Put(v, 8); }
  void Books(const TBooks& b) {
    U16(b.year);
    U8(b.month);
    U8(0);
    for (const std::int64_t v : {b.opening, b.sales, b.purchases, b.upkeep, b.interest, b.building,
                                 b.borrowed, b.repaid, b.closing, b.price}) {
      I64(v);
    }
  }
  std::size_t Size() const { return bytes_.size(); }

 private:
  void Put(std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& bytes_;
};

// Reads from a buffer whose size was checked first, so no read runs past it.
class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t at) : data_(data), at_(at) {}
  std::uint64_t U8() { return Get(1); }
  std::uint64_t U16() { return Get(2); }
  std::uint64_t U32() { return Get(4); }
  std::uint64_t U64() { return Get(8); }
  std::int64_t I64() { return static_cast<std::int64_t>(Get(8)); }
  // A page of the books; false when a figure is out of any real range.
  bool Books(TBooks& b) {
    b.year = static_cast<std::uint16_t>(U16());
    b.month = static_cast<std::uint8_t>(U8());
    U8();
    bool sound = true;
    for (std::int64_t* v : {&b.opening, &b.sales, &b.purchases, &b.upkeep, &b.interest, &b.building,
                            &b.borrowed, &b.repaid, &b.closing, &b.price}) {
      *v = I64();
      sound = sound && *v >= -BooksLimit && *v <= BooksLimit;
    }
    return sound;
  }

 private:
  std::uint64_t Get(int count) {
    std::uint64_t v = 0;
    for (int i = 0; i < count; ++i) v |= std::uint64_t{data_[at_ + static_cast<std::size_t>(i)]} << (8 * i);
    at_ += static_cast<std::size_t>(count);
    return v;
  }
  const std::uint8_t* data_;
  std::size_t at_;
};

}  // namespace

// The layout in one place, for both directions.
class TEcoFile {
 public:
  static std::vector<std::uint8_t> Save(const TEconomy& eco, const TMapa& map);
  static std::optional<std::string> Load(TEconomy& eco, const std::uint8_t* data, const TMapa& map);

 private:
  static std::optional<std::string> LoadHeader(TEconomy& eco, TReader& in, std::size_t& months,
                                               std::size_t& years);
  static std::optional<std::string> LoadBooks(TEconomy& eco, TReader& in, std::size_t months,
                                              std::size_t years);
  static std::optional<std::string> LoadTiles(TEconomy& eco, const std::uint8_t* data);
  static std::optional<std::string> LoadPastures(TEconomy& eco, TReader& in, const TMapa& map);
};

std::uint32_t MapCrc(const TMapaRecord& record) {
  return Crc(reinterpret_cast<const std::uint8_t*>(&record), sizeof(TMapaRecord));
}

std::vector<std::uint8_t> TEcoFile::Save(const TEconomy& eco, const TMapa& map) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(EcoFileSize);
  TWriter out(bytes);
  out.U32(EcoMagic);
  out.U16(EcoVersion);
  out.U16(0);
  out.U32(MapCrc(map.Record()));
  out.U64(eco.random_.State());
  out.I64(eco.loan_);
  out.I64(eco.interestCarry_);
  out.U8(eco.autoRepay_ ? 1 : 0);
  out.U8(static_cast<std::uint8_t>(eco.status_));
  out.U8(static_cast<std::uint8_t>(eco.monthsInDebt_));
  out.U8(0);
  out.I64(eco.target_);
  out.U16(static_cast<std::uint16_t>(eco.targetYear_));
  out.U16(static_cast<std::uint16_t>(eco.walk_));
  out.U32(eco.soldThisMonth_);
  out.U32(eco.soldLastMonth_);
  out.U8(eco.months_.size());
  out.U8(eco.years_.size());
  out.U16(0);
  out.Books(eco.month_);
  for (std::size_t i = 0; i < TEconomy::MonthsKept; ++i) out.Books(i < eco.months_.size() ? eco.months_[i] : TBooks{});
  for (std::size_t i = 0; i < TEconomy::YearsKept; ++i) out.Books(i < eco.years_.size() ? eco.years_[i] : TBooks{});
  for (std::size_t i = 0; i < MaxPastures; ++i) {
    const bool used = i < eco.pastures_.size();
    const TPasture p = used ? eco.pastures_[i] : TPasture{};
    out.U16(used ? p.id : NoId);
    out.U16(p.pests);
    out.U16(p.protection);
    out.U16(p.herd.dryDays);
    out.U32(p.herd.head);
    out.U32(p.herd.weight);
  }
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) out.U8(eco.layer_[TileIndex(x, y)]);
  }
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) out.U16(eco.forage_[TileIndex(x, y)]);
  }
  out.U32(Crc(bytes.data(), bytes.size()));
  return bytes;
}

std::optional<std::string> TEcoFile::LoadHeader(TEconomy& eco, TReader& in, std::size_t& months,
                                                std::size_t& years) {
  eco.random_.SetState(in.U64());
  eco.loan_ = in.I64();
  eco.interestCarry_ = in.I64();
  const auto autoRepay = in.U8(), status = in.U8(), debt = in.U8();
  in.U8();
  eco.target_ = in.I64();
  eco.targetYear_ = static_cast<int>(in.U16());
  eco.walk_ = static_cast<int>(in.U16());
  eco.soldThisMonth_ = static_cast<std::uint32_t>(in.U32());
  eco.soldLastMonth_ = static_cast<std::uint32_t>(in.U32());
  months = in.U8();
  years = in.U8();
  in.U16();
  if (eco.loan_ < 0 || eco.loan_ >= MoneyLimit) return "the loan is out of range";
  if (eco.interestCarry_ < 0 || eco.interestCarry_ >= 1200) return "the interest carried is out of range";
  if (autoRepay > 1 || status > static_cast<std::uint8_t>(TEcoStatus::Lost) || debt > BankruptcyLostMonth) {
    return "a flag is out of range";
  }
  if (eco.target_ <= 0 || eco.target_ >= MoneyLimit) return "the target is out of range";
  if (eco.walk_ < WalkLow || eco.walk_ > WalkHigh) return "the market's walk is out of range";
  if (eco.soldThisMonth_ > SoldCap || eco.soldLastMonth_ > SoldCap) return "the head sold are out of range";
  if (months > TEconomy::MonthsKept || years < 1 || years > TEconomy::YearsKept) return "the books' counts are out of range";
  eco.autoRepay_ = autoRepay == 1;
  eco.status_ = static_cast<TEcoStatus>(status);
  eco.monthsInDebt_ = static_cast<int>(debt);
  return std::nullopt;
}

std::optional<std::string> TEcoFile::LoadBooks(TEconomy& eco, TReader& in, std::size_t months,
                                               std::size_t years) {
  // A month page takes the month of the map's record as it was, whatever it is.
  if (!in.Books(eco.month_)) return "the month running is damaged";
  for (std::size_t i = 0; i < TEconomy::MonthsKept; ++i) {
    TBooks page;
    if (!in.Books(page)) return "a month of the books is damaged";
    if (i < months) eco.months_.push_back(page);
  }
  for (std::size_t i = 0; i < TEconomy::YearsKept; ++i) {
    TBooks page;
    if (!in.Books(page) || (i < years && page.month != 0)) return "a year of the books is damaged";
    if (i < years) eco.years_.push_back(page);
  }
  return std::nullopt;
}

std::optional<std::string> TEcoFile::LoadTiles(TEconomy& eco, const std::uint8_t* data) {
  TReader layer(data, OffsetLayer);
  TReader forage(data, OffsetForage);
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const auto bits = layer.U8();
      const auto grass = forage.U16();
      if ((bits & ~std::uint64_t{LayerBits}) != 0) return "the troughs and planted grass are damaged";
      if (grass > GrassCapPerTile) return "the grass is damaged";
      eco.layer_[TileIndex(x, y)] = static_cast<std::uint8_t>(bits);
      eco.forage_[TileIndex(x, y)] = static_cast<std::uint16_t>(grass);
    }
  }
  return std::nullopt;
}

// Herds are kept by their pasture's name; the map must still have it.
std::optional<std::string> TEcoFile::LoadPastures(TEconomy& eco, TReader& in, const TMapa& map) {
  eco.Resurvey(map);
  std::vector<bool> seen(eco.pastures_.size(), false);
  for (std::size_t i = 0; i < MaxPastures; ++i) {
    const auto id = in.U16(), pests = in.U16(), protection = in.U16(), dry = in.U16();
    const auto head = in.U32(), weight = in.U32();
    if (id == NoId) continue;
    if (pests > PestsMax || protection > SprayDays || head > MaxHerdHead) return "a pasture's state is out of range";
    if (head > 0 && (weight < MinWeight || weight > MaxWeight)) return "a herd's weight is out of range";
    std::size_t index = 0;
    while (index < eco.pastures_.size() && eco.pastures_[index].id != id) ++index;
    if (index == eco.pastures_.size() || seen[index]) return "a herd stands in a pasture the map does not have";
    seen[index] = true;
    TPasture& pasture = eco.pastures_[index];
    pasture.pests = static_cast<std::uint16_t>(pests);
    pasture.protection = static_cast<std::uint16_t>(protection);
    pasture.herd = head > 0 ? THerd{static_cast<std::uint32_t>(head), static_cast<std::uint32_t>(weight),
                                    static_cast<std::uint16_t>(dry)}
                            : THerd{};
  }
  return std::nullopt;
}

std::optional<std::string> TEcoFile::Load(TEconomy& eco, const std::uint8_t* data, const TMapa& map) {
  TReader in(data, 0);
  if (in.U32() != EcoMagic) return "not a companion file (wrong magic number)";
  const auto version = in.U16();
  if (version > EcoVersion) return "made by a newer version of the game (format " + std::to_string(version) + ")";
  if (version != EcoVersion) return "unknown format version " + std::to_string(version);
  in.U16();
  if (TReader(data, OffsetCrc).U32() != Crc(data, OffsetCrc)) return "damaged (checksum mismatch)";
  if (in.U32() != MapCrc(map.Record())) return "belongs to another saved map (map checksum mismatch)";
  std::size_t months = 0, years = 0;
  if (auto error = LoadHeader(eco, in, months, years)) return error;
  if (auto error = LoadBooks(eco, in, months, years)) return error;
  if (auto error = LoadTiles(eco, data)) return error;
  return LoadPastures(eco, in, map);
}

std::vector<std::uint8_t> TEconomy::Save(const TMapa& map) const { return TEcoFile::Save(*this, map); }

std::optional<std::string> TEconomy::Load(std::span<const std::uint8_t> bytes, const TMapa& map) {
  if (bytes.size() != EcoFileSize) {
    return "wrong size (" + std::to_string(bytes.size()) + " bytes, a companion file has " +
           std::to_string(EcoFileSize) + ")";
  }
  auto loaded = std::make_unique<TEconomy>();
  if (auto error = TEcoFile::Load(*loaded, bytes.data(), map)) return error;
  *this = std::move(*loaded);
  return std::nullopt;
}

std::optional<std::string> ReadCompanionFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "cannot open: " + std::string(std::strerror(errno));
  bytes.assign(EcoFileSize + 1, 0);
  const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return "read error";
  bytes.resize(count);
  return std::nullopt;
}

std::optional<std::string> WriteCompanionFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return "cannot create a temporary file: " + std::string(std::strerror(errno));
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) written += static_cast<std::size_t>(n);
  }
  int error = ok ? 0 : errno;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (ok && (::fchmod(fd, 0666 & ~mask) != 0 || ::fsync(fd) != 0)) {
    ok = false;
    error = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (ok) return std::nullopt;
  ::unlink(temp.c_str());
  return "cannot write: " + std::string(std::strerror(error));
}
