// The program benchmark: the designer and the calculator on each SDL 1.2
// runtime under Xvfb, built once in the toolkit's default mode and once as
// shipped (presentation per event, sleeping when idle), driven with the same
// drops, drags and key taps; then the idle cost of every program as shipped,
// and a live panel's timer and watched pipe.
//
// The time of an action runs from sending its input to the program's return
// to an empty queue after handling it, both on the monotonic clock (the
// preloaded probe notes the second); presentations are the flips in between.
// Prints a table per runtime, the targets the programs are held to, and exits
// with 1 when one is missed.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"

namespace {

constexpr int DESIGNER_WIDTH = 710;
constexpr int DESIGNER_HEIGHT = 640;
constexpr int SMALL_WIDTH = 400;
constexpr int SMALL_HEIGHT = 600;
constexpr int DROPS = 5;
constexpr int DRAG_STEPS = 4;
constexpr int TAPS = 10;
constexpr int IDLE_SECONDS = 5;
// A point inside the designer's label palette entry, and the calculator's "7" key.
constexpr int LABEL_ENTRY_X = 467;
constexpr int LABEL_ENTRY_Y = 51;
constexpr int SEVEN_X = 80;
constexpr int SEVEN_Y = 395;

// Targets held on this machine.
constexpr double MOST_DROP_PRESENTATIONS = 2;
constexpr double MOST_IDLE_CPU_PERCENT = 2;
constexpr double MOST_TIMER_IDLE_CPU_PERCENT = 1;
constexpr double MOST_IDLE_WAKE_UPS = 1;
constexpr double MOST_LIVE_LATENESS_MS = 5;
constexpr int FEED_WRITES = 10;
constexpr double MOST_COMPAT_PEAK_MIB = 25;
constexpr double LEAST_COMPAT_DROP_SPEED_UP = 20;

uint64_t monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

struct Sample {
  double ms = 0;
  double presentations = 0;
};

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Sample medianOf(const std::vector<Sample>& samples) {
  std::vector<double> ms;
  std::vector<double> presentations;
  for (const Sample& sample : samples) {
    ms.push_back(sample.ms);
    presentations.push_back(sample.presentations);
  }
  return {median(ms), median(presentations)};
}

// Sends the input and waits until the program has handled it and the screen holds still.
Sample measure(XSession& session, const std::function<void()>& input) {
  const ProbeCounters before = session.probe();
  const uint64_t sent = monotonicNs();
  input();
  session.settle();
  const ProbeCounters after = session.probe();
  const double ms = after.idleSinceNs > sent ? (after.idleSinceNs - sent) / 1e6 : 0;
  return {ms, static_cast<double>(after.flips - before.flips)};
}

// The sum over the program's threads of a number that each task's file gives.
uint64_t sumOverTasks(int pid, const std::function<uint64_t(const std::string&)>& ofTask) {
  uint64_t sum = 0;
  std::error_code ignored;
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ignored)) {
    sum += ofTask(task.path().string());
  }
  return sum;
}

// Nanoseconds of CPU the scheduler counted: fine enough for a tenth of a
// percent over a few seconds, where clock ticks move in steps of 0.2%.
uint64_t cpuNs(int pid) {
  return sumOverTasks(pid, [](const std::string& task) {
    std::ifstream in(task + "/schedstat");
    uint64_t ns = 0;
    in >> ns;
    return ns;
  });
}

// Each time a thread went to sleep and was woken, it gave up the CPU once.
uint64_t contextSwitches(int pid) {
  return sumOverTasks(pid, [](const std::string& task) {
    std::ifstream in(task + "/status");
    uint64_t switches = 0;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) switches += std::stoull(line.substr(24));
    }
    return switches;
  });
}

struct Idle {
  double cpuPercent = 0;
  double wakeUpsPerSecond = 0;
};

Idle idleCost(XSession& session) {
  session.settle();
  const uint64_t cpuBefore = cpuNs(session.pid());
  const uint64_t switchesBefore = contextSwitches(session.pid());
  const uint64_t start = monotonicNs();
  std::this_thread::sleep_for(std::chrono::seconds(IDLE_SECONDS));
  const double seconds = (monotonicNs() - start) / 1e9;
  return {100.0 * (cpuNs(session.pid()) - cpuBefore) / 1e9 / seconds,
          (contextSwitches(session.pid()) - switchesBefore) / seconds};
}

double peakMiB(XSession& session) {
  std::ifstream in("/proc/" + std::to_string(session.pid()) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

struct Run {
  bool ok = false;
  double startUpMs = 0;
  Sample drop;
  Sample dragStep;
  Sample tap;
  double idleCpu = 0;
  double wakeUps = 0;
  double peak = 0;
};

bool started(XSession& session, const std::string& program) {
  if (session.ok()) return true;
  std::fprintf(stderr, "%s: %s\n", program.c_str(), session.error().c_str());
  return false;
}

// From the program's loading to its first empty poll.
double startUpMs(XSession& session) {
  const ProbeCounters atStart = session.probe();
  return (atStart.idleSinceNs - atStart.loadedNs) / 1e6;
}

// Idle cost once the program has done its work; its peak memory includes the work.
void finish(XSession& session, Run& run) {
  const Idle idle = idleCost(session);
  run.idleCpu = idle.cpuPercent;
  run.wakeUps = idle.wakeUpsPerSecond;
  run.peak = peakMiB(session);
  run.ok = true;
}

// Drops a label from the palette onto the canvas, again and again, each a little further on.
Run runDesigner(const std::string& program, const Runtime& runtime) {
  Run run;
  XSession session(programPath(program), DESIGNER_WIDTH, DESIGNER_HEIGHT, runtime);
  if (!started(session, program)) return run;
  run.startUpMs = startUpMs(session);
  std::vector<Sample> drops;
  std::vector<Sample> steps;
  for (int i = 0; i < DROPS; ++i) {
    const int toX = 60 + 60 * i;
    const int toY = 100 + 40 * i;
    session.moveTo(LABEL_ENTRY_X, LABEL_ENTRY_Y);
    session.press();
    session.settle();
    for (int step = 1; step <= DRAG_STEPS; ++step) {
      const int x = LABEL_ENTRY_X + (toX - LABEL_ENTRY_X) * step / DRAG_STEPS;
      const int y = LABEL_ENTRY_Y + (toY - LABEL_ENTRY_Y) * step / DRAG_STEPS;
      steps.push_back(measure(session, [&] { session.moveTo(x, y); }));
    }
    drops.push_back(measure(session, [&] { session.release(); }));
  }
  run.drop = medianOf(drops);
  run.dragStep = medianOf(steps);
  finish(session, run);
  return run;
}

Run runCalculator(const std::string& program, const Runtime& runtime) {
  Run run;
  XSession session(programPath(program), SMALL_WIDTH, SMALL_HEIGHT, runtime);
  if (!started(session, program)) return run;
  run.startUpMs = startUpMs(session);
  session.moveTo(SEVEN_X, SEVEN_Y);
  session.settle();
  std::vector<Sample> taps;
  for (int i = 0; i < TAPS; ++i) {
    taps.push_back(measure(session, [&] {
      session.press();
      session.release();
    }));
  }
  run.tap = medianOf(taps);
  finish(session, run);
  return run;
}

// The preview's time from a layout file renamed over the old one, as the
// designer saves, to the presentation of the new layout.
constexpr int REWRITES = 5;
constexpr double MOST_FOLLOW_MS = 50;

double slowestFollowMs(const Runtime& runtime) {
  char folder[] = "/tmp/program-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) return -1;
  const std::string file = std::string(folder) + "/gui.txt";
  XSession session(programPath("panelpeek"), SMALL_WIDTH, SMALL_HEIGHT, runtime, folder);
  const bool ok = started(session, "panelpeek");
  double slowest = -1;
  for (int i = 0; ok && i < REWRITES; ++i) {
    session.settle();
    std::ofstream(file + ".new") << "newLabel(80, 32, " << 40 + 10 * i << ", 40, \"x\");\n";
    const uint64_t flips = session.flips();
    const uint64_t renamed = monotonicNs();
    std::rename((file + ".new").c_str(), file.c_str());
    while (session.flips() == flips && monotonicNs() - renamed < 5000000000u)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    slowest = std::max(slowest, (monotonicNs() - renamed) / 1e6);
  }
  std::filesystem::remove_all(folder);
  return slowest;
}

// A live panel with a 1 s timer: its idle cost, how late its timer calls came
// (the program notes each) and how soon it shows what is written into its pipe.
struct Live {
  bool ok = false;
  Idle idle;
  double timerMedianMs = -1;  // how late the calls came
  double timerLateMs = -1;    // the latest
  double feedMedianMs = -1;   // from a write to its presentation
  double feedMs = -1;         // the slowest
};

std::vector<double> callLatenessMs(const std::string& notes) {
  std::istringstream lines(notes);
  std::vector<double> lateness;
  for (std::string word; lines >> word;) {
    if (word == "late" && lines >> word) lateness.push_back(std::max(std::stod(word), 0.0) / 1000);
  }
  return lateness;
}

double most(const std::vector<double>& values) {
  return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

Live runLive(const Runtime& runtime) {
  Live live;
  char folder[] = "/tmp/live-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) return live;
  {
    XSession session(programPath("live_app"), SMALL_WIDTH, SMALL_HEIGHT, runtime, folder, false,
                     {"1000"});
    if (!started(session, "live_app")) return live;
    live.idle = idleCost(session);
    const int feed = open((std::string(folder) + "/feed").c_str(), O_WRONLY | O_CLOEXEC);
    std::vector<double> feeds;
    for (int i = 0; feed >= 0 && i < FEED_WRITES; ++i) {
      session.settle();
      const std::string text = std::to_string(i);
      const uint64_t flips = session.flips();
      const uint64_t written = monotonicNs();
      if (write(feed, text.data(), text.size()) != static_cast<ssize_t>(text.size())) break;
      while (session.flips() == flips && monotonicNs() - written < 1000000000u)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      feeds.push_back((monotonicNs() - written) / 1e6);
    }
    if (feed >= 0) close(feed);
    live.feedMs = most(feeds);
    live.feedMedianMs = median(feeds);
    const std::vector<double> lateness = callLatenessMs(session.stderrText());
    live.timerMedianMs = lateness.empty() ? -1 : median(lateness);
    live.timerLateMs = most(lateness);
    live.ok = feeds.size() == FEED_WRITES;
  }
  std::filesystem::remove_all(folder);
  return live;
}

Run runIdle(const std::string& program, const Runtime& runtime) {
  Run run;
  XSession session(programPath(program), SMALL_WIDTH, SMALL_HEIGHT, runtime);
  if (!started(session, program)) return run;
  finish(session, run);
  return run;
}

void row(const char* what, double byDefault, double optedIn, const char* format = "%12.2f") {
  std::printf("  %-38s", what);
  std::printf(format, byDefault);
  std::printf(format, optedIn);
  if (optedIn > 0) {
    std::printf("%11.1fx\n", byDefault / optedIn);
  } else {
    std::printf("%12s\n", "-");
  }
}

struct Verdicts {
  bool allMet = true;
  void check(bool met, const std::string& what) {
    std::printf("  %-4s %s\n", met ? "met" : "MISS", what.c_str());
    allMet = allMet && met;
  }
};

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

int main() {
  Verdicts verdicts;
  for (const Runtime& runtime : sdlRuntimes()) {
    std::printf("\n== %s SDL 1.2 (%s)\n", runtime.name.c_str(),
                runtime.libraryPath.empty() ? "the system's libSDL" : runtime.libraryPath.c_str());
    std::printf("  %-38s%12s%12s%12s\n", "", "default", "opted in", "ratio");
    const Run designerByDefault = runDesigner("panelwright_default_mode", runtime);
    const Run designer = runDesigner("panelwright", runtime);
    const Run calculatorByDefault = runCalculator("tallyboard_default_mode", runtime);
    const Run calculator = runCalculator("tallyboard", runtime);
    if (!designerByDefault.ok || !designer.ok || !calculatorByDefault.ok || !calculator.ok)
      return 1;
    row("designer start-up, ms", designerByDefault.startUpMs, designer.startUpMs);
    row("designer drop, ms", designerByDefault.drop.ms, designer.drop.ms);
    row("designer drop, presentations", designerByDefault.drop.presentations,
        designer.drop.presentations, "%12.0f");
    row("designer drag step, ms", designerByDefault.dragStep.ms, designer.dragStep.ms);
    row("designer drag step, presentations", designerByDefault.dragStep.presentations,
        designer.dragStep.presentations, "%12.0f");
    row("designer idle CPU, % of a core", designerByDefault.idleCpu, designer.idleCpu);
    row("designer peak memory, MiB", designerByDefault.peak, designer.peak);
    row("tallyboard start-up, ms", calculatorByDefault.startUpMs, calculator.startUpMs);
    row("tallyboard key tap, ms", calculatorByDefault.tap.ms, calculator.tap.ms);
    row("tallyboard key tap, presentations", calculatorByDefault.tap.presentations,
        calculator.tap.presentations, "%12.0f");
    row("tallyboard idle CPU, % of a core", calculatorByDefault.idleCpu, calculator.idleCpu);
    row("tallyboard peak memory, MiB", calculatorByDefault.peak, calculator.peak);

    std::printf("  as shipped:%39s%12s%12s\n", "idle CPU, %", "wake-ups/s", "peak, MiB");
    std::vector<std::pair<std::string, Run>> shipped{{"panelwright", designer},
                                                     {"tallyboard", calculator}};
    for (const char* program : {"shapescope", "tintpad", "panelpeek"})
      shipped.emplace_back(program, runIdle(program, runtime));
    for (const auto& [program, run] : shipped) {
      if (!run.ok) return 1;
      std::printf("  %-38s%12.3f%12.1f%12.2f\n", program.c_str(), run.idleCpu, run.wakeUps,
                  run.peak);
    }
    const Live live = runLive(runtime);
    if (!live.ok) return 1;
    std::printf("  %-38s%12.3f%12.1f\n", "live panel, 1 s timer", live.idle.cpuPercent,
                live.idle.wakeUpsPerSecond);
    std::printf("  %-38s%12.2f%12.2f\n", "live panel timer late, median and most, ms",
                live.timerMedianMs, live.timerLateMs);
    std::printf("  %-38s%12.2f%12.2f\n", "live panel pipe, median and most, ms", live.feedMedianMs,
                live.feedMs);

    const double followMs = slowestFollowMs(runtime);
    std::printf("  %-38s%12.2f\n", "panelpeek follows a rewrite, ms (most)", followMs);

    const std::string on = " on " + runtime.name;
    std::printf("  targets:\n");
    verdicts.check(
        followMs >= 0 && followMs < MOST_FOLLOW_MS,
        "panelpeek follows a rewrite within 50 ms" + on + ": " + number(followMs) + " ms");
    verdicts.check(designer.drop.presentations <= MOST_DROP_PRESENTATIONS,
                   "designer drop in at most 2 presentations" + on + ": " +
                       number(designer.drop.presentations));
    for (const auto& [program, run] : shipped) {
      verdicts.check(run.idleCpu < MOST_IDLE_CPU_PERCENT,
                     program + " idle under 2% of a core" + on + ": " + number(run.idleCpu));
      // The colour pad keeps its own loop, which looks every few milliseconds.
      if (program == "tintpad") continue;
      verdicts.check(run.wakeUps < MOST_IDLE_WAKE_UPS,
                     program + " idle without wake-ups" + on + ": " + number(run.wakeUps) + "/s");
    }
    verdicts.check(
        live.idle.cpuPercent < MOST_TIMER_IDLE_CPU_PERCENT,
        "a 1 s timer idles under 1% of a core" + on + ": " + number(live.idle.cpuPercent));
    // Held at the median: on a machine shared with builds, a single call now
    // and then waits for a core, whatever the program does.
    verdicts.check(
        live.timerMedianMs >= 0 && live.timerMedianMs < MOST_LIVE_LATENESS_MS,
        "a timer fires within 5 ms of its time" + on + ": " + number(live.timerMedianMs) + " ms");
    verdicts.check(live.feedMedianMs < MOST_LIVE_LATENESS_MS,
                   "a watched pipe is shown within 5 ms of a write" + on + ": " +
                       number(live.feedMedianMs) + " ms");
    if (!runtime.libraryPath.empty()) {
      for (const auto& [program, run] : shipped) {
        verdicts.check(run.peak < MOST_COMPAT_PEAK_MIB,
                       program + " peak memory under 25 MiB" + on + ": " + number(run.peak));
      }
      verdicts.check(designerByDefault.drop.ms >= LEAST_COMPAT_DROP_SPEED_UP * designer.drop.ms,
                     "designer drop at least 20x faster opted in" + on + ": " +
                         number(designerByDefault.drop.ms / designer.drop.ms) + "x");
    }
  }
  return verdicts.allMet ? 0 : 1;
}
