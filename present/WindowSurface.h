#pragma once
// Getting a large window's first picture on the screen is dominated, on
// many machines, by first touches of its drawing memory: every 4 KB page of
// a maximised window's backing store faults once as the first paint fills
// it, two thousand faults for a full-HD window. Made early and mapped on a
// worker, that memory is ready when the window first paints, while the
// window's own controls are still being built on the main thread.
#include <QSize>
#include <cstddef>
#include <thread>

class QWidget;

// Maps every page of [data, data + bytes) writable without reading or
// changing its contents. False where the kernel cannot (before Linux 5.14)
// or part of the range is not mapped; nothing is changed then either.
bool PrefaultWritable(void* data, std::size_t bytes);

// Gives the unshown top-level `window` its native window and has the
// toolkit make its backing store at `size` now (the size the window will
// first show at), then maps the store's memory on the returned worker.
// The worker never writes the memory, so the window may paint while it
// runs, and a store remade meanwhile (at another size) loses nothing. An empty thread when there is nothing to map (an empty size, or a
// platform whose store is not plain memory).
std::jthread PrepareWindowSurface(QWidget& window, QSize size);
