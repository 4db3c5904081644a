// Stands in for libFuzzer where the compiler has none: feeds the program's
// LLVMFuzzerTestOneInput with streams from a seeded generator, or replays the
// files and folders named on the command line once each. Takes libFuzzer's
// options of the same names:
//   -seed=N -runs=N -max_total_time=SECONDS -max_len=BYTES -timeout=SECONDS
//   -artifact_prefix=PATH
// A stream that breaks the program is saved as <artifact_prefix>crash-<seed>-<n>.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Present when the sanitizers are linked in: called before they end the process.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

struct Options {
  uint64_t seed = 1;
  long long runs = -1;
  double maxTotalTime = 0;
  size_t maxLen = 4096;
  unsigned timeout = 60;
  std::string artifactPrefix = "./";
  std::vector<std::string> inputs;
};

}  // namespace

static std::vector<uint8_t> current;
static char crashPath[4096];
static unsigned timeoutSeconds = 0;
static bool streamRunning = false;

static void writeAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written <= 0) return;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
}

static void say(const char* text) {
  writeAll(STDERR_FILENO, text, std::char_traits<char>::length(text));
}

// Runs inside signal handlers and the sanitizers' death callback: system calls only.
static void saveCurrentStream() {
  if (crashPath[0] == '\0') return;
  const int fd = open(crashPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  writeAll(fd, current.data(), current.size());
  close(fd);
  say("fuzz: the stream is saved as ");
  say(crashPath);
  say("\n");
  crashPath[0] = '\0';
}

static void onAbort(int) {
  saveCurrentStream();
  std::signal(SIGABRT, SIG_DFL);
  std::raise(SIGABRT);
}

static void onTimeout(int) {
  say("fuzz: a stream ran longer than the timeout\n");
  std::abort();
}

static bool parseOption(std::string_view argument, Options* options) {
  const size_t equals = argument.find('=');
  if (argument.size() < 2 || argument[0] != '-' || equals == std::string_view::npos) return false;
  const std::string name(argument.substr(1, equals - 1));
  const std::string value(argument.substr(equals + 1));
  char* end = nullptr;
  if (name == "artifact_prefix") {
    options->artifactPrefix = value;
    return true;
  }
  const double number = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || number < 0) return false;
  if (name == "seed") {
    options->seed = static_cast<uint64_t>(number);
  } else if (name == "runs") {
    options->runs = static_cast<long long>(number);
  } else if (name == "max_total_time") {
    options->maxTotalTime = number;
  } else if (name == "max_len") {
    options->maxLen = std::max<size_t>(1, static_cast<size_t>(number));
  } else if (name == "timeout") {
    options->timeout = static_cast<unsigned>(number);
  } else {
    return false;
  }
  return true;
}

// crashPath names where the stream goes should it break the program; empty
// when it needs no copy.
static void runCurrent() {
  streamRunning = true;
  alarm(timeoutSeconds);
  LLVMFuzzerTestOneInput(current.data(), current.size());
  alarm(0);
  streamRunning = false;
  crashPath[0] = '\0';
}

// A stream that makes the program exit has broken it, whatever the status.
static void onExit() {
  if (!streamRunning) return;
  say("fuzz: the program exited in the middle of a stream\n");
  saveCurrentStream();
  _exit(1);
}

static bool readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  current.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Each file once; a folder stands for the files in it, in name order.
static int replay(const Options& options) {
  std::vector<std::filesystem::path> files;
  for (const std::string& input : options.inputs) {
    std::error_code error;
    if (std::filesystem::is_directory(input, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(input, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else {
      files.emplace_back(input);
    }
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    if (!readFile(file)) {
      std::fprintf(stderr, "fuzz: cannot read %s\n", file.c_str());
      return 1;
    }
    std::fprintf(stderr, "fuzz: replaying %s\n", file.c_str());
    // A failing replay needs no copy: the file is the stream.
    runCurrent();
  }
  return 0;
}

// Stream n of a seed is the same on every run and machine.
static void generate(uint64_t seed, unsigned long long n, size_t maxLen) {
  std::seed_seq sequence{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32),
                         static_cast<uint32_t>(n), static_cast<uint32_t>(n >> 32)};
  std::mt19937 random(sequence);
  current.resize(1 + random() % maxLen);
  for (uint8_t& byte : current) byte = static_cast<uint8_t>(random());
}

static int explore(const Options& options) {
  const auto start = std::chrono::steady_clock::now();
  for (unsigned long long n = 0;
       options.runs < 0 || n < static_cast<unsigned long long>(options.runs); ++n) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (options.maxTotalTime > 0 && elapsed.count() >= options.maxTotalTime) break;
    generate(options.seed, n, options.maxLen);
    std::snprintf(crashPath, sizeof crashPath, "%scrash-%llu-%llu", options.artifactPrefix.c_str(),
                  static_cast<unsigned long long>(options.seed), n);
    runCurrent();
  }
  return 0;
}

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with('-')) {
      if (!parseOption(argument, &options)) {
        std::fprintf(stderr, "fuzz: unknown or malformed option %s\n", argv[i]);
        return 2;
      }
    } else {
      options.inputs.emplace_back(argument);
    }
  }
  // The program may change folders while a stream runs.
  std::error_code error;
  if (std::filesystem::path(options.artifactPrefix).is_relative()) {
    options.artifactPrefix =
        (std::filesystem::current_path(error) / options.artifactPrefix).string();
  }
  timeoutSeconds = options.timeout;
  std::signal(SIGABRT, onAbort);
  std::signal(SIGALRM, onTimeout);
  std::atexit(onExit);
  if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(saveCurrentStream);
  return options.inputs.empty() ? explore(options) : replay(options);
}
