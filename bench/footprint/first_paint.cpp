// zolvorn_firstpaint: starts a program on a display that has no window
// manager and times its start-up the way a player sees it.
//   zolvorn_firstpaint X Y WIDTH HEIGHT -- PROGRAM [ARGUMENTS...]
// Like a window manager it gives the keyboard focus to each top-level window
// of the program as it appears, so a program that runs only while it is
// active starts. It prints one line,
//   mapped MS shown MS pid PID cpu MS
// where mapped is the time from starting the program to its first window on
// the screen, shown the time until the rectangle X, Y, WIDTH x HEIGHT of
// the screen holds more than 8 colours: a picture, not an empty window (the
// ranch's bare ground alone has a dozen), and cpu the processor time the
// program had used by then, all its threads together (-1 when unknown). The
// program is left running, its output sent to standard error. Exit status 1
// when nothing showed in 30 s.
#include <signal.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace {

constexpr int Colours = 8;
constexpr double GiveUpMs = 30000;

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

template <typename T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

// Whether the rectangle holds more than Colours colours.
bool ShowsPicture(xcb_connection_t* connection, xcb_window_t root, int x, int y, int width, int height) {
  const auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(x),
                                    static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                                    static_cast<std::uint16_t>(height), ~0u);
  TReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(connection, cookie, nullptr), &std::free);
  if (!reply) return false;
  const int length = xcb_get_image_data_length(reply.get());
  if (reply->depth < 24 || length < width * height * 4) return false;
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.get()));
  // A small open-addressed set; it never fills, as counting stops early.
  constexpr std::uint32_t Empty = 0xFFFFFFFFu;
  std::uint32_t seen[64];
  std::fill(std::begin(seen), std::end(seen), Empty);
  int count = 0;
  for (int i = 0; i < width * height; ++i) {
    const std::uint32_t pixel = pixels[i] & 0xFFFFFFu;
    std::uint32_t slot = (pixel * 2654435761u) >> 26;
    while (seen[slot] != Empty && seen[slot] != pixel) slot = (slot + 1) & 63;
    if (seen[slot] == pixel) continue;
    seen[slot] = pixel;
    if (++count > Colours) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || std::strcmp(argv[5], "--") != 0) {
    std::fprintf(stderr, "usage: zolvorn_firstpaint X Y WIDTH HEIGHT -- PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
  if (width <= 0 || height <= 0) {
    std::fprintf(stderr, "zolvorn_firstpaint: the rectangle is empty\n");
    return 2;
  }

  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "zolvorn_firstpaint: no display\n");
    return 2;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;
  const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
  xcb_flush(connection);

  const double start = Now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 2;
  }
  if (child == 0) {
    // The program's own output goes to standard error: standard output is
    // this tool's one line, and whoever reads it must not wait for the
    // program to end.
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(argv[6], argv + 6);
    std::perror(argv[6]);
    _exit(127);
  }

  double mapped = -1, focused = 0;
  xcb_window_t first = XCB_NONE;
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (map->event == root && !map->override_redirect && first == XCB_NONE) {
          mapped = Now() - start;
          first = map->window;
        }
      }
      std::free(event);
    }
    // The first window gets the focus, again every 50 ms: a focus given
    // while the program is still setting the window up can be lost.
    if (first != XCB_NONE && Now() - focused > 50) {
      xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, first, XCB_CURRENT_TIME);
      xcb_flush(connection);
      focused = Now();
    }
    if (mapped >= 0 && ShowsPicture(connection, root, x, y, width, height)) break;
    if (Now() - start > GiveUpMs || xcb_connection_has_error(connection)) {
      std::fprintf(stderr, "zolvorn_firstpaint: %s showed nothing\n", argv[6]);
      kill(child, SIGTERM);
      return 1;
    }
    usleep(1000);
  }
  const double shown = Now() - start;
  // The process clock counts threads that have already ended, as the
  // program's start-up workers have.
  double cpu = -1;
  clockid_t processClock{};
  timespec used{};
  if (clock_getcpuclockid(child, &processClock) == 0 && clock_gettime(processClock, &used) == 0)
    cpu = used.tv_sec * 1e3 + used.tv_nsec / 1e6;
  std::printf("mapped %.1f shown %.1f pid %d cpu %.1f\n", mapped, shown, static_cast<int>(child), cpu);
  xcb_disconnect(connection);
  return 0;
}
