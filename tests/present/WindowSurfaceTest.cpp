// A window's drawing memory made and mapped before its first show.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "present/WindowSurface.h"
#include "tests/present/PresentTestSupport.h"

namespace {

const std::size_t Page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// How many of the pages holding [data, data + bytes) are in memory.
std::size_t ResidentPages(const void* data, std::size_t bytes) {
  const auto first = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = first & ~(Page - 1);
  const std::uintptr_t end = (first + bytes + Page - 1) & ~(Page - 1);
  std::vector<unsigned char> in((end - begin) / Page);
  if (::mincore(reinterpret_cast<void*>(begin), end - begin, in.data()) != 0) return 0;
  std::size_t resident = 0;
  for (unsigned char page : in) resident += page & 1;
  return resident;
}

struct FreshMemory {
  explicit FreshMemory(std::size_t pages) : bytes(pages * Page) {
    data = static_cast<unsigned char*>(::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  }
  ~FreshMemory() {
    if (data != MAP_FAILED) ::munmap(data, bytes);
  }
  std::size_t bytes;
  unsigned char* data;
};

TEST(PrefaultWritable, MapsEveryPageAndKeepsWhatIsThere) {
  FreshMemory memory(64);
  ASSERT_NE(memory.data, MAP_FAILED);
  memory.data[5 * Page + 7] = 0xA5;  // one page already in use, with data
  ASSERT_LT(ResidentPages(memory.data, memory.bytes), 64u);
  // A range that starts and ends inside pages maps the whole pages.
  if (!PrefaultWritable(memory.data + 100, memory.bytes - 200)) GTEST_SKIP() << "kernel before Linux 5.14";
  EXPECT_EQ(ResidentPages(memory.data, memory.bytes), 64u);
  EXPECT_EQ(memory.data[5 * Page + 7], 0xA5);
  for (std::size_t i = 0; i < memory.bytes; ++i) {
    if (i == 5 * Page + 7) continue;
    ASSERT_EQ(memory.data[i], 0) << "at " << i;
  }
}

TEST(PrefaultWritable, RefusesNothingAndUnmappedMemory) {
  EXPECT_FALSE(PrefaultWritable(nullptr, 4096));
  unsigned char byte = 0;
  EXPECT_FALSE(PrefaultWritable(&byte, 0));
  FreshMemory memory(4);
  ASSERT_NE(memory.data, MAP_FAILED);
  ASSERT_EQ(::munmap(memory.data + 2 * Page, 2 * Page), 0);
  memory.bytes = 2 * Page;  // the rest is unmapped already
  EXPECT_FALSE(PrefaultWritable(memory.data, 4 * Page));
}

TEST(PrepareWindowSurface, TheFirstPaintUsesTheMemoryMadeBeforeTheShow) {
  TestApp();
  QWidget window;
  window.setAutoFillBackground(true);
  window.setPalette(QPalette(Qt::darkCyan));
  std::jthread mapping = PrepareWindowSurface(window, QSize(320, 200));
  ASSERT_TRUE(mapping.joinable());
  QBackingStore* store = window.backingStore();
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(store->size(), QSize(320, 200));
  auto* image = dynamic_cast<QImage*>(store->paintDevice());
  ASSERT_NE(image, nullptr);
  const uchar* memory = image->constBits();
  mapping.join();

  window.resize(320, 200);
  window.show();
  QApplication::processEvents();
  // Still the same memory, and painted as usual.
  image = dynamic_cast<QImage*>(store->paintDevice());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->constBits(), memory);
  EXPECT_EQ(image->pixelColor(160, 100), QColor(Qt::darkCyan));
}

TEST(PrepareWindowSurface, AWindowThatShowsAtAnotherSizeIsPaintedWhole) {
  // A window manager may give the window less than the screen's free area.
  TestApp();
  QWidget window;
  window.setAutoFillBackground(true);
  window.setPalette(QPalette(Qt::darkCyan));
  PrepareWindowSurface(window, QSize(320, 200)).join();
  window.resize(400, 150);
  window.show();
  QApplication::processEvents();
  auto* image = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->size(), QSize(400, 150));
  EXPECT_EQ(image->pixelColor(399, 149), QColor(Qt::darkCyan));
}

TEST(PrepareWindowSurface, NothingForAChildOrAnEmptySize) {
  TestApp();
  QWidget window;
  auto* child = new QWidget(&window);
  EXPECT_FALSE(PrepareWindowSurface(*child, QSize(100, 100)).joinable());
  EXPECT_FALSE(PrepareWindowSurface(window, QSize()).joinable());
  EXPECT_EQ(window.backingStore(), nullptr);  // not even made
}

}  // namespace
