// Started where there is no screen, SDL 1.2 falls back to a text-mode driver
// (caca or aalib) where one is installed. A program must not then run in the
// terminal: it says so in one line and ends with status 1, unless the user
// chose that driver. Where nothing names a display the programs refuse before
// SDL starts, so no control code reaches the terminal; --help and --version
// answer there too, without a screen.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "display_check.h"
#include "harness.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* PROGRAMS[] = {"tintpad", "tallyboard", "shapescope", "panelwright"};
constexpr const char* ALL_PROGRAMS[] = {"tintpad", "tallyboard", "shapescope", "panelwright",
                                        "panelpeek"};

// DISPLAY naming a display no server answers on.
constexpr const char* DISPLAYS[] = {":4711"};

struct Outcome {
  int status = -1;  // exit status; -1 while it still ran when the wait ended
  std::string err;
  std::string out;
  uintmax_t outBytes = 0;
};

class Process {
 public:
  Process(const std::string& path, const Runtime& runtime, const char* display, const char* driver,
          const std::vector<std::string>& arguments = {}) {
    char folder[] = "/tmp/no-display-XXXXXX";
    if (mkdtemp(folder) == nullptr) return;
    dir_ = folder;
    pid_ = fork();
    if (pid_ != 0) return;
    const int null = open("/dev/null", O_RDONLY);
    const int out = open((dir_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open((dir_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (chdir(folder) != 0 || dup2(null, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
    display != nullptr ? setenv("DISPLAY", display, 1) : unsetenv("DISPLAY");
    driver != nullptr ? setenv("SDL_VIDEODRIVER", driver, 1) : unsetenv("SDL_VIDEODRIVER");
    if (!runtime.libraryPath.empty()) setenv("LD_LIBRARY_PATH", runtime.libraryPath.c_str(), 1);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }

  ~Process() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Waits until the process ends or has written more than outLimit bytes to
  // its standard output, for at most 10 seconds: a program that keeps running
  // in the terminal must not hold the suite up.
  Outcome wait(uintmax_t outLimit = UINTMAX_MAX) {
    Outcome outcome;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (outBytes() > outLimit) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    outcome.err = fileText(dir_ / "stderr");
    outcome.out = fileText(dir_ / "stdout");
    outcome.outBytes = outBytes();
    return outcome;
  }

 private:
  uintmax_t outBytes() const {
    std::error_code error;
    const uintmax_t size = fs::file_size(dir_ / "stdout", error);
    return error ? 0 : size;
  }

  fs::path dir_;
  pid_t pid_ = -1;
  bool exited_ = false;
};

// The text-mode driver SDL falls back to in this environment, if any.
std::optional<std::string> textModeFallback(const Runtime& runtime, const char* display) {
  Process probe(SDL_DRIVER_PROBE, runtime, display, nullptr);
  std::string driver = probe.wait().err;
  if (!driver.empty() && driver.back() == '\n') driver.pop_back();
  if (driver == "caca" || driver == "aalib") return driver;
  return std::nullopt;
}

std::string describe(const char* display) {
  return display == nullptr ? "DISPLAY unset" : std::string("DISPLAY=") + display;
}

class NoDisplay : public ::testing::TestWithParam<Runtime> {};

// A display named where no server answers: SDL starts and falls back.
TEST_P(NoDisplay, ProgramsRefuseTheTextModeFallbackInOneLine) {
  bool ran = false;
  for (const char* display : DISPLAYS) {
    const std::optional<std::string> driver = textModeFallback(GetParam(), display);
    if (!driver) continue;
    ran = true;
    for (const char* program : PROGRAMS) {
      Process process(programPath(program), GetParam(), display, nullptr);
      const Outcome outcome = process.wait();
      EXPECT_EQ(outcome.status, 1) << program << ", " << describe(display);
      EXPECT_EQ(outcome.err, "no screen found: SDL fell back to its text-mode driver " + *driver +
                                 "; set DISPLAY to an X display, or choose a video driver with "
                                 "SDL_VIDEODRIVER\n")
          << program << ", " << describe(display);
    }
  }
  if (!ran) GTEST_SKIP() << "SDL falls back to no text-mode driver here";
}

// Drawing through the text-mode driver shows as a growing standard output;
// a refusal writes a few hundred bytes of terminal set-up and ends.
TEST_P(NoDisplay, ATextModeDriverChosenOnPurposeIsKept) {
  const std::optional<std::string> driver = textModeFallback(GetParam(), nullptr);
  if (!driver) GTEST_SKIP() << "SDL falls back to no text-mode driver here";
  constexpr uintmax_t DRAWN = 16384;
  for (const char* program : PROGRAMS) {
    Process process(programPath(program), GetParam(), nullptr, driver->c_str());
    const Outcome outcome = process.wait(DRAWN);
    EXPECT_EQ(outcome.status, -1) << program << " ended: " << outcome.err;
    EXPECT_GT(outcome.outBytes, DRAWN) << program;
  }
}

// Every program, with nothing naming a display: what each command line prints,
// where, and the status. Without arguments the program refuses before SDL
// starts, so not one control byte reaches the terminal.
TEST(CommandLine, EachProgramAnswersWithoutAScreen) {
  for (const std::string program : ALL_PROGRAMS) {
    const std::string options = program == "panelwright" ? " [--canvas WxH]" : "";
    const std::string usage = "usage: " + program + options +
                              (program == "panelpeek" ? " [FILE]\n" : "\n") + "       " + program +
                              " --help | --version\n";
    const std::string unexpected = program + ": unexpected argument ";
    // The arguments, the exit status, standard output (its start for --help), standard error.
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{},
         1,
         "",
         program + ": no display: DISPLAY is not set and there is no framebuffer; "
                   "start it in an X session, or choose a video driver with "
                   "SDL_VIDEODRIVER\n"},
        {{"--help"}, 0, usage + "\n", ""},
        {{"--version"}, 0, program + " " + PROJECT_VERSION_TEXT + "\n", ""},
        {{"-x"}, 2, "", unexpected + "'-x'\n" + usage},
        {{"gui.txt", "gui.txt"}, 2, "", unexpected + "'gui.txt'\n" + usage},
        {{"--help", "extra"}, 2, "", unexpected + "'extra'\n" + usage},
        {{"--version", "--help"}, 2, "", unexpected + "'--help'\n" + usage},
    };
    for (const auto& [arguments, status, out, err] : cases) {
      if (arguments.empty() && usableConsoleDevice() != nullptr) continue;  // it could draw there
      const Outcome outcome = Process(programPath(program), {}, nullptr, nullptr, arguments).wait();
      const std::string what = program + (arguments.empty() ? "" : " " + arguments[0]);
      EXPECT_EQ(outcome.status, status) << what;
      const bool help = !arguments.empty() && arguments[0] == "--help";
      EXPECT_EQ(help ? outcome.out.substr(0, out.size()) : outcome.out, out) << what;
      EXPECT_EQ(outcome.err, err) << what;
    }
  }
}

// An answer written to a full device was never given: it must not end with success.
TEST(CommandLine, AnAnswerThatCannotBeWrittenFails) {
  for (const std::string program : ALL_PROGRAMS) {
    for (const char* option : {"--help", "--version"}) {
      const std::vector<std::string> shell = {"-c", "exec \"$0\" $1 >/dev/full",
                                              programPath(program), option};
      const Outcome outcome = Process("/bin/sh", {}, nullptr, nullptr, shell).wait();
      EXPECT_EQ(outcome.status, 1) << program << " " << option;
      EXPECT_EQ(outcome.err,
                program + ": cannot write to standard output: No space left on device\n")
          << program << " " << option;
    }
  }
}

// A fake device folder: the card found among its entries, if any.
TEST(DisplayCheck, AnyDrmCardThatOpensCounts) {
  enum class Entry { FILE, DANGLING_LINK, FOLDER };
  struct Case {
    std::vector<std::pair<std::string, Entry>> entries;
    std::string found;
  };
  const Case cases[] = {
      {{}, ""},
      {{{"card1", Entry::FILE}}, "card1"},
      {{{"card0", Entry::DANGLING_LINK}, {"card1", Entry::FILE}}, "card1"},
      {{{"card0", Entry::DANGLING_LINK}}, ""},
      {{{"renderD128", Entry::FILE}, {"by-path", Entry::FOLDER}}, ""},
      {{{"card2", Entry::FOLDER}}, ""},
  };
  for (const auto& [entries, found] : cases) {
    char folder[] = "/tmp/dri-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string names;
    for (const auto& [name, entry] : entries) {
      const fs::path path = fs::path(folder) / name;
      if (entry == Entry::FILE) std::ofstream{path};
      if (entry == Entry::DANGLING_LINK) fs::create_symlink("missing", path);
      if (entry == Entry::FOLDER) fs::create_directory(path);
      names += name + " ";
    }
    const char* card = openableDrmCard(folder);
    EXPECT_EQ(card == nullptr ? "" : fs::path(card).filename().string(), found) << names;
    fs::remove_all(folder);
  }
}

INSTANTIATE_TEST_SUITE_P(Runtimes, NoDisplay, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace
