#include "present/WindowSurface.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

bool PrefaultWritable(void* data, std::size_t bytes) {
  if (data == nullptr || bytes == 0) return false;
#ifdef MADV_POPULATE_WRITE
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = first & ~(page - 1);
  const std::uintptr_t end = (first + bytes + page - 1) & ~(page - 1);
  return ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
#else
  return false;
#endif
}

std::jthread PrepareWindowSurface(QWidget& window, QSize size) {
  if (!window.isWindow() || size.isEmpty()) return {};
  window.winId();
  QBackingStore* store = window.backingStore();
  if (store == nullptr) return {};
  store->resize(size);
  // On X the store's server side (a pixmap the server clears) is made when
  // the request leaves the client's queue; it goes now, so that the server
  // clears it while this thread works, rather than when a later question to
  // the server would wait behind it. Nothing has been painted, so nothing
  // is drawn. Only on X: elsewhere a flush can hand the compositor a buffer
  // for a window it has not been shown.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) store->flush(QRect(QPoint(), size));
  auto* image = dynamic_cast<QImage*>(store->paintDevice());
  if (image == nullptr || image->isNull()) return {};
  // constBits: the image must not detach from the memory the window shows.
  void* memory = const_cast<uchar*>(image->constBits());
  const auto bytes = static_cast<std::size_t>(image->sizeInBytes());
  return std::jthread([memory, bytes] { PrefaultWritable(memory, bytes); });
}
