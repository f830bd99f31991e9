#pragma once

#include <thread>

namespace mojihyo::ui {

// The window asks for Tahoma, Arial, Times New Roman and Impact. Where they
// are not installed (Linux), the closest fonts that are stand in for them.
void InstallFontSubstitutes();

// Reads the system's font configuration on a thread of its own. Made before
// the application object, it overlaps the few milliseconds that reading
// takes with the wait for the display connection; the first text laid out
// then finds it read. Wait() (or the end of its life) joins the thread.
class FontConfigWarmUp {
public:
  FontConfigWarmUp();
  ~FontConfigWarmUp() { Wait(); }
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }
  // Once the application object is made: reads the list of installed fonts
  // on the thread while the window is built, which the first text measured
  // would otherwise wait for. Wait() before the window is shown.
  void ReadFontListAside();

private:
  std::thread thread_;
};

}  // namespace mojihyo::ui
