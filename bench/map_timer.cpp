// Starts a program and prints the milliseconds from its start to the map of
// its first top-level window on the X display, which is what a user waits
// for. Run it under an X server with no window manager, where the map of a
// top-level window is seen on the root window. The program is then stopped.

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: map_timer PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "map_timer: cannot open the display\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror("map_timer");
    _exit(127);
  }
  double mapped = -1;
  while (xcb_generic_event_t* e = xcb_wait_for_event(x)) {
    const bool isMap = (e->response_type & 0x7F) == XCB_MAP_NOTIFY;
    std::free(e);
    if (isMap) {
      mapped = NowMs();
      break;
    }
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  xcb_disconnect(x);
  if (mapped < 0) return 1;
  std::printf("%.1f\n", mapped - start);
  return 0;
}
