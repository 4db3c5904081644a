#include "harness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "probe.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<Runtime> sdlRuntimes() {
  std::vector<Runtime> runtimes{{"system", ""}};
  const std::string compat = std::string("/usr/lib/") + E2E_MULTIARCH + "/sdl12-compat";
  if (fs::exists(compat + "/libSDL-1.2.so.0")) runtimes.push_back({"compat", compat});
  return runtimes;
}

void PrintTo(const Runtime& runtime, std::ostream* out) { *out << runtime.name; }

std::string runtimeName(const ::testing::TestParamInfo<Runtime>& info) { return info.param.name; }

std::string programPath(const std::string& program) {
  return std::string(E2E_BIN_DIR) + "/" + program;
}

struct XSession::Impl {
  int width = 0;
  int height = 0;
  pid_t xvfb = -1;
  pid_t program = -1;
  int exitStatus = -1;  // once reaped
  int exitSignal = -1;
  bool reaped = false;
  Display* display = nullptr;
  std::string displayName;  // ":N", chosen by Xvfb
  fs::path privateDir;      // probe file and the program's standard error
  ProbeCounters* counters = nullptr;

  bool programRunning() {
    if (reaped) return false;
    int status = 0;
    if (waitpid(program, &status, WNOHANG) == program) {
      reaped = true;
      exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      exitSignal = WIFSIGNALED(status) ? WTERMSIG(status) : -1;
      return false;
    }
    return true;
  }

  uint64_t load(const uint64_t& counter) const {
    return __atomic_load_n(&counter, __ATOMIC_SEQ_CST);
  }
};

static std::string startXvfb(XSession::Impl& s) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return "cannot create a pipe";
  s.xvfb = fork();
  if (s.xvfb == 0) {
    close(pipeFds[0]);
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    const std::string fd = std::to_string(pipeFds[1]);
    const std::string geometry = std::to_string(s.width) + "x" + std::to_string(s.height) + "x24";
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(), "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  std::string number;
  pollfd waitFor{pipeFds[0], POLLIN, 0};
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
    if (poll(&waitFor, 1, 200) <= 0) continue;
    char buffer[32];
    ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, static_cast<size_t>(got));
  }
  close(pipeFds[0]);
  if (number.find('\n') == std::string::npos)
    return "Xvfb did not start (is the xvfb package installed?)";
  number.erase(number.find('\n'));
  s.display = XOpenDisplay((":" + number).c_str());
  if (s.display == nullptr) return "cannot connect to Xvfb on :" + number;
  int event, error, major, minor;
  if (!XTestQueryExtension(s.display, &event, &error, &major, &minor)) return "Xvfb lacks XTest";
  s.displayName = ":" + number;
  return "";
}

// The user nobody on Debian.
static constexpr uid_t UNPRIVILEGED_ID = 65534;

static std::string startProgram(XSession::Impl& s, const std::string& program,
                                const Runtime& runtime, const std::string& workdir,
                                bool unprivileged, const std::vector<std::string>& arguments) {
  const bool dropRoot = unprivileged && geteuid() == 0;
  const fs::path probeFile = s.privateDir / "probe";
  {
    std::ofstream create(probeFile, std::ios::binary);
    const std::vector<char> zeros(4096, 0);
    create.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
  }
  int fd = open(probeFile.c_str(), O_RDWR);
  void* map = mmap(nullptr, sizeof(ProbeCounters), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (map == MAP_FAILED) return "cannot map the probe file";
  s.counters = static_cast<ProbeCounters*>(map);
  if (dropRoot) {
    // The program opens the probe itself, after giving up root.
    using fs::perms;
    fs::permissions(s.privateDir, perms::owner_all | perms::group_exec | perms::others_exec);
    fs::permissions(probeFile, perms::owner_read | perms::owner_write | perms::group_read |
                                   perms::group_write | perms::others_read | perms::others_write);
  }

  // An unprivileged program may not reach into the build folder (a checkout
  // under /root, say), so it runs from copies in the session's own folder.
  std::string path = program;
  std::string probeLibrary = E2E_PROBE_LIBRARY;
  if (dropRoot) {
    for (std::string* file : {&path, &probeLibrary}) {
      const fs::path copy = s.privateDir / fs::path(*file).filename();
      std::error_code error;
      if (!fs::copy_file(*file, copy, error))
        return "cannot copy " + *file + ": " + error.message();
      *file = copy.string();
    }
  }
  // Its own home, as an ordinary user has, where libraries may keep caches
  // (Mesa complains on standard error where it cannot make one) and no
  // program under test writes into the tester's own.
  const fs::path home = s.privateDir / "home";
  std::error_code homeError;
  if (!fs::create_directory(home, homeError) ||
      (dropRoot && chown(home.c_str(), UNPRIVILEGED_ID, UNPRIVILEGED_ID) != 0)) {
    return "cannot make a home folder for the program";
  }

  // The command line, built before forking.
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const fs::path errors = s.privateDir / "stderr";
  s.program = fork();
  if (s.program == 0) {
    if (chdir(workdir.c_str()) != 0) _exit(126);
    int null = open("/dev/null", O_RDWR);
    int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(null, 0);
    dup2(null, 1);
    dup2(err, 2);
    setenv("DISPLAY", s.displayName.c_str(), 1);
    setenv("E2E_PROBE_FILE", probeFile.c_str(), 1);
    setenv("LD_PRELOAD", probeLibrary.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    if (!runtime.libraryPath.empty()) setenv("LD_LIBRARY_PATH", runtime.libraryPath.c_str(), 1);
    // A sanitized program accepts the probe ahead of its runtime; SDL's and
    // Xlib's own allocations are not ours to report. Screen memory that SDL
    // allocates and a program leaves unpainted reads as 0, as it does without
    // the sanitizer, rather than as the sanitizer's fill pattern.
    setenv("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0:malloc_fill_byte=0", 1);
    setenv("HOME", home.c_str(), 1);
    if (dropRoot && (setgroups(0, nullptr) != 0 || setgid(UNPRIVILEGED_ID) != 0 ||
                     setuid(UNPRIVILEGED_ID) != 0)) {
      _exit(125);
    }
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  return "";
}

XSession::XSession(const std::string& program, int width, int height, const Runtime& runtime,
                   const std::string& workdir, bool unprivileged,
                   const std::vector<std::string>& arguments)
    : impl_(new Impl) {
  impl_->width = width;
  impl_->height = height;
  char privateTemplate[] = "/tmp/e2e-session-XXXXXX";
  if (mkdtemp(privateTemplate) == nullptr) {
    error_ = "cannot create a temporary folder";
    return;
  }
  impl_->privateDir = privateTemplate;
  workdir_ = workdir.empty() ? (impl_->privateDir / "work").string() : workdir;
  fs::create_directories(workdir_);

  error_ = startXvfb(*impl_);
  if (!error_.empty()) return;
  error_ = startProgram(*impl_, program, runtime, workdir_, unprivileged, arguments);
  if (!error_.empty()) return;

  // Ready once the program has drawn and gone back to polling.
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (impl_->load(impl_->counters->flips) == 0 ||
         impl_->load(impl_->counters->emptyPolls) == 0) {
    if (!impl_->programRunning()) {
      error_ = "the program ended during start-up: " + stderrText();
      return;
    }
    if (Clock::now() > deadline) {
      error_ = "the program did not draw within 60 s";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  settle();
}

XSession::~XSession() {
  if (impl_->program > 0 && impl_->programRunning()) {
    kill(impl_->program, SIGKILL);
    waitpid(impl_->program, nullptr, 0);
  }
  if (impl_->display != nullptr) XCloseDisplay(impl_->display);
  if (impl_->xvfb > 0) {
    kill(impl_->xvfb, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (waitpid(impl_->xvfb, nullptr, WNOHANG) == 0) {
      if (Clock::now() > deadline) {
        kill(impl_->xvfb, SIGKILL);
        waitpid(impl_->xvfb, nullptr, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  if (impl_->counters != nullptr) munmap(impl_->counters, sizeof(ProbeCounters));
  std::error_code ignored;
  if (!impl_->privateDir.empty()) fs::remove_all(impl_->privateDir, ignored);
  delete impl_;
}

void XSession::moveTo(int x, int y) {
  XTestFakeMotionEvent(impl_->display, -1, x, y, CurrentTime);
  XFlush(impl_->display);
}

void XSession::press(int button) {
  XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), True, CurrentTime);
  XFlush(impl_->display);
}

void XSession::release(int button) {
  XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), False, CurrentTime);
  XFlush(impl_->display);
}

void XSession::click(int x, int y, int button) {
  moveTo(x, y);
  press(button);
  release(button);
  settle();
}

void XSession::drag(int x0, int y0, int x1, int y1, int steps, int button) {
  moveTo(x0, y0);
  press(button);
  settle();
  for (int i = 1; i <= steps; ++i) {
    moveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    settle();
  }
  release(button);
  settle();
}

void XSession::key(const char* keysym, const char* modifier) {
  const KeyCode code = XKeysymToKeycode(impl_->display, XStringToKeysym(keysym));
  const KeyCode held =
      modifier != nullptr ? XKeysymToKeycode(impl_->display, XStringToKeysym(modifier)) : 0;
  if (held != 0) XTestFakeKeyEvent(impl_->display, held, True, CurrentTime);
  XTestFakeKeyEvent(impl_->display, code, True, CurrentTime);
  XTestFakeKeyEvent(impl_->display, code, False, CurrentTime);
  if (held != 0) XTestFakeKeyEvent(impl_->display, held, False, CurrentTime);
  XFlush(impl_->display);
}

void XSession::keys(const std::string& names) {
  std::istringstream words(names);
  for (std::string word; words >> word;) {
    const size_t plus = word.find('+');  // npos + 1 is 0: the whole word
    key(word.substr(plus + 1).c_str(),
        plus == std::string::npos ? nullptr : word.substr(0, plus).c_str());
    settle();
  }
}

void XSession::settle(int timeoutMs) {
  // Every event sent so far has reached the program's connection once the
  // server has answered a round trip of ours.
  XSync(impl_->display, False);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const ProbeCounters& c = *impl_->counters;
  // Empty polls after that point mean the program has read its connection,
  // dispatched what it found and returned to its loop.
  const uint64_t polled = impl_->load(c.emptyPolls);
  while (impl_->load(c.emptyPolls) < polled + 3) {
    if (!impl_->programRunning()) return;
    if (Clock::now() > deadline) {
      ADD_FAILURE() << "the program did not return to polling within " << timeoutMs << " ms";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // The screen must then hold still across a stretch with no flip in it.
  Screenshot before = capture();
  while (true) {
    const uint64_t flips = impl_->load(c.flips);
    const uint64_t events = impl_->load(c.events);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    if (!impl_->programRunning()) return;
    Screenshot after = capture();
    if (impl_->load(c.flips) == flips && impl_->load(c.events) == events &&
        after.pixels == before.pixels) {
      return;
    }
    if (Clock::now() > deadline) {
      ADD_FAILURE() << "the screen did not hold still within " << timeoutMs << " ms";
      return;
    }
    before = std::move(after);
  }
}

std::string XSession::windowTitle() {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::string title;
  if (XQueryTree(impl_->display, DefaultRootWindow(impl_->display), &root, &parent, &children,
                 &count) == 0)
    return title;
  for (unsigned i = 0; i < count && title.empty(); ++i) {
    char* name = nullptr;
    if (XFetchName(impl_->display, children[i], &name) != 0 && name != nullptr) title = name;
    XFree(name);
  }
  XFree(children);
  return title;
}

Screenshot XSession::capture() {
  Screenshot shot;
  shot.width = impl_->width;
  shot.height = impl_->height;
  shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
  XImage* image = XGetImage(impl_->display, DefaultRootWindow(impl_->display), 0, 0,
                            static_cast<unsigned>(shot.width), static_cast<unsigned>(shot.height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) {
    ADD_FAILURE() << "XGetImage failed";
    return shot;
  }
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      shot.pixels[static_cast<size_t>(y) * shot.width + x] =
          static_cast<uint32_t>(XGetPixel(image, x, y)) & 0x00FFFFFFu;
    }
  }
  XDestroyImage(image);
  return shot;
}

uint32_t XSession::pixel(int x, int y) {
  XImage* image =
      XGetImage(impl_->display, DefaultRootWindow(impl_->display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    ADD_FAILURE() << "XGetImage failed";
    return 0;
  }
  const uint32_t value = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0x00FFFFFFu;
  XDestroyImage(image);
  return value;
}

bool XSession::running() { return impl_->programRunning(); }

int XSession::waitExit(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (impl_->programRunning()) {
    if (Clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return impl_->exitStatus;
}

void XSession::sendSignal(int signal) {
  if (impl_->programRunning()) kill(impl_->program, signal);
}

int XSession::waitSignal(int timeoutMs) {
  waitExit(timeoutMs);
  return impl_->reaped ? impl_->exitSignal : -1;
}

std::string XSession::stderrText() {
  std::ifstream in(impl_->privateDir / "stderr");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

uint64_t XSession::flips() { return impl_->load(impl_->counters->flips); }

ProbeCounters XSession::probe() {
  const ProbeCounters& c = *impl_->counters;
  return {impl_->load(c.emptyPolls), impl_->load(c.events), impl_->load(c.flips),
          impl_->load(c.loadedNs), impl_->load(c.idleSinceNs)};
}

int XSession::pid() const { return impl_->program; }

std::string hexColour(uint32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", colour);
  return text;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
