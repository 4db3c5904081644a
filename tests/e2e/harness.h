// End-to-end rig: a real program binary, full screen on its own Xvfb display,
// driven by real X pointer events (XTest) and read back with XGetImage.
//
// Settling does not rely on sleeping: a small library preloaded into the
// program counts its SDL_PollEvent and SDL_Flip calls, so the rig knows when
// the program has drained its X connection, dispatched every event sent and
// gone back to polling an empty queue; the screen must then also hold still.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "probe.h"

// An SDL 1.2 runtime to run the programs on.
struct Runtime {
  std::string name;         // "original" or "compat"
  std::string libraryPath;  // folder put first on LD_LIBRARY_PATH; empty for the system's libSDL
};

// Shown in test names and messages by its name alone.
void PrintTo(const Runtime& runtime, std::ostream* out);

// The runtimes on this machine: the system's libSDL, and sdl12-compat where it
// is installed beside it.
std::vector<Runtime> sdlRuntimes();
// For INSTANTIATE_TEST_SUITE_P names.
std::string runtimeName(const ::testing::TestParamInfo<Runtime>& info);

// "RRGGBB", for messages about pixels.
std::string hexColour(uint32_t colour);
// The whole file as bytes; empty when it cannot be read.
std::string fileText(const std::string& path);

// Path of a program built in this tree ("tintpad", "tallyboard", ...).
std::string programPath(const std::string& program);

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class XSession {
 public:
  // Starts Xvfb with a screen of exactly width by height pixels on a display
  // number of its own, then the program in workdir (created if missing). Check
  // ok() before use; error() says what failed. An unprivileged program runs as
  // the user nobody when the tests run as root, so that file permissions hold
  // for it as for an ordinary user. The arguments follow the program's name on
  // its command line; each "NAME=value" of environment is set for it.
  XSession(const std::string& program, int width, int height, const Runtime& runtime,
           const std::string& workdir = "", bool unprivileged = false,
           const std::vector<std::string>& arguments = {},
           const std::vector<std::string>& environment = {});
  ~XSession();  // ends the program and Xvfb, whatever state they are in
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& workdir() const { return workdir_; }

  // Raw pointer input; none of these waits for the program.
  void moveTo(int x, int y);
  void press(int button = 1);
  void release(int button = 1);

  // Move, press and release at one point, then settle.
  void click(int x, int y, int button = 1);
  // Press at (x0, y0), move in steps to (x1, y1) with the button held, release there, settle.
  void drag(int x0, int y0, int x1, int y1, int steps = 4, int button = 1);
  // A key press and release (keysym name such as "a" or "Escape"), with the
  // modifier key ("Control_L", "Shift_L") held around it when one is named.
  void key(const char* keysym, const char* modifier = nullptr);
  // Keys by keysym name, separated by blanks ("Control_L+z" holds the first
  // around the second), settling after each: SDL takes a release and a press
  // of one key that follow at once for auto-repeat.
  void keys(const std::string& names);

  // Waits until the program has handled every event sent so far and the
  // screen holds still. Fails the test if that takes more than timeoutMs.
  void settle(int timeoutMs = 30000);

  Screenshot capture();
  uint32_t pixel(int x, int y);
  // The name of the program's top-level window, as a window list shows it.
  std::string windowTitle();

  bool running();
  // Waits for the program to end; its exit status, or -1 if it is still
  // running after timeoutMs or died from a signal.
  int waitExit(int timeoutMs = 10000);
  // Sends a signal to the program.
  void sendSignal(int signal);
  // Waits for the program to end; the signal that ended it, or -1 if it is
  // still running after timeoutMs or ended by exiting.
  int waitSignal(int timeoutMs = 10000);
  // What the program wrote to standard error so far.
  std::string stderrText();

  // Counters read from the preloaded probe.
  uint64_t flips();
  ProbeCounters probe();
  int pid() const;

  struct Impl;  // the processes and the X connection, kept in harness.cpp

 private:
  Impl* impl_ = nullptr;
  std::string error_;
  std::string workdir_;
};
