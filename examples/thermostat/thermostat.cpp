// A room thermostat on a wall panel: its screen made in panelwright (gui.txt
// beside this file, read at start and its views found by id), the room's
// temperature from a sensor process through a pipe, a clock kept by a timer,
// a setpoint set with - and + or typed on the keypad that a tap on it opens,
// a logo, and a state that says whether it heats. The pointer is hidden, and
// a tap beside the views does not end the program.
//
//     thermostat [--still] [LAYOUT]
//
// --still shows a fixed time and temperature, for the picture in the guide.
#include <kiosktk/toolkit.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[32];
const int viewListSlots = 32;

#ifndef THERMOSTAT_LAYOUT
#define THERMOSTAT_LAYOUT "gui.txt"
#endif
#ifndef THERMOSTAT_LOGO
#define THERMOSTAT_LOGO "logo.png"
#endif

// The ids given to the views in the designer.
enum ViewId : int32_t {
  TEMPERATURE = 1,
  SETPOINT = 2,
  LOWER = 3,
  RAISE = 4,
  STATE = 5,
  CLOCK = 6,
};

static constexpr int CANVAS_OFFSET = 20;
static constexpr int32_t PANEL_COLOUR = 0xE8ECF0;
// Temperatures in tenths of a degree.
static constexpr int SETPOINT_STEP = 5;
static constexpr int LOWEST_SETPOINT = 50;
static constexpr int HIGHEST_SETPOINT = 300;
static constexpr int TENTHS = 10;
// Right of the temperature, where no view lies: nothing redraws over it.
static constexpr int LOGO_X = 280, LOGO_Y = 120;
// Heating starts this far below the setpoint, and stops at the setpoint.
static constexpr int HYSTERESIS = 3;
static constexpr int SENSOR_PERIOD_S = 1;
static constexpr int STILL_TEMPERATURE = 203;
static constexpr const char* STILL_TIME = "12:00:00";

static bool still = false;
static int setpoint = 210;
static int temperature = 0;  // 0 until the sensor has spoken
static bool heating = false;
static View* temperatureView;
static View* setpointView;
static View* stateView;
static View* clockView;

// "21.5": tenths as degrees with one decimal.
static void formatTenths(int tenths, char* text, size_t size) {
  std::snprintf(text, size, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                std::abs(tenths) % 10);
}

// Only a change is drawn: a clean update repaints what lies beneath.
static void show(View* view, const char* text) {
  if (std::strcmp(view->text, text) != 0) setViewText(view, text);
}

static void showState() {
  if (temperature == 0) return;
  if (temperature < setpoint - HYSTERESIS) heating = true;
  if (temperature >= setpoint) heating = false;
  show(stateView, heating ? "Heating" : "Idle");
}

static void showSetpoint() {
  char text[16];
  formatTenths(setpoint, text, sizeof text);
  show(setpointView, text);
  showState();
}

// The sensor: a second process that writes one reading a line, as a serial
// sensor or a daemon's socket would.
static int sensorReading(int second) {
  if (still) return STILL_TEMPERATURE;
  return 205 + static_cast<int>(std::lround(15 * std::sin(second / 20.0)));
}

static void runSensor(int out) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  for (int second = 0;; second += SENSOR_PERIOD_S) {
    char line[16];
    const int length = std::snprintf(line, sizeof line, "%d\n", sensorReading(second));
    if (write(out, line, static_cast<size_t>(length)) != length) _exit(0);
    sleep(SENSOR_PERIOD_S);
  }
}

// The read end of the sensor's pipe, or -1 when there is no sensor.
static int startSensor() {
  int ends[2];
  if (pipe(ends) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    runSensor(ends[1]);
  }
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    return -1;
  }
  return ends[0];
}

// Reads what the sensor wrote; the last whole line is the temperature now.
static void readSensor(int fd, void*) {
  static char pending[64];
  static size_t held = 0;
  const ssize_t n = read(fd, pending + held, sizeof pending - 1 - held);
  if (n <= 0) {
    unwatchFile(fd);
    close(fd);
    show(temperatureView, "--.-");
    return;
  }
  held += static_cast<size_t>(n);
  pending[held] = '\0';
  char* lastEnd = std::strrchr(pending, '\n');
  if (lastEnd == nullptr) {
    if (held == sizeof pending - 1) held = 0;  // no line that long is a reading
    return;
  }
  *lastEnd = '\0';
  const char* lastLine = std::strrchr(pending, '\n');
  temperature = std::atoi(lastLine != nullptr ? lastLine + 1 : pending);
  held = std::strlen(lastEnd + 1);
  std::memmove(pending, lastEnd + 1, held);
  char text[16];
  formatTenths(temperature, text, sizeof text);
  show(temperatureView, text);
  showState();
}

static void tick(void*) {
  char text[16];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  show(clockView, still ? STILL_TIME : text);
}

void buttonUpEvent(View* button) {
  if (button->id == LOWER) setpoint = std::max(setpoint - SETPOINT_STEP, LOWEST_SETPOINT);
  if (button->id == RAISE) setpoint = std::min(setpoint + SETPOINT_STEP, HIGHEST_SETPOINT);
  showSetpoint();
}

// A tap on the setpoint opens the keypad, in whole degrees; on OK the
// setpoint takes the number typed. The keypad gives the screen back as it was.
static void typeSetpoint() {
  int degrees = setpoint / TENTHS;
  if (!enterNumber("Setpoint", &degrees, LOWEST_SETPOINT / TENTHS, HIGHEST_SETPOINT / TENTHS))
    return;
  setpoint = degrees * TENTHS;
  showSetpoint();
}

// The logo is no view: it is drawn once, beside the views, and a missing
// picture leaves the panel working without it.
static void drawLogo() {
  Image* logo = loadImage(THERMOSTAT_LOGO);
  if (logo == nullptr) {
    std::fprintf(stderr, "thermostat: %s: %s\n", THERMOSTAT_LOGO, imageError());
    return;
  }
  drawImage(logo, LOGO_X, LOGO_Y);
  freeImage(logo);
}

void viewDownEvent(View*, int, int) {}
void viewUpEvent(View* view, int, int) {
  if (view == setpointView) typeSetpoint();
}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

// A tap beside the views, at the panel's edge, is a stray touch, not a request to end.
static void ignoreQuitRequest() {}

static bool findViews() {
  temperatureView = findViewById(TEMPERATURE);
  setpointView = findViewById(SETPOINT);
  stateView = findViewById(STATE);
  clockView = findViewById(CLOCK);
  return temperatureView != nullptr && setpointView != nullptr && stateView != nullptr &&
         clockView != nullptr;
}

int main(int argc, char** argv) {
  int argument = 1;
  if (argument < argc && std::strcmp(argv[argument], "--still") == 0) {
    still = true;
    ++argument;
  }
  const char* layout = argument < argc ? argv[argument] : THERMOSTAT_LAYOUT;
  LayoutError error{};
  if (loadLayout(layout, -CANVAS_OFFSET, -CANVAS_OFFSET, &error) < 0) {
    char message[sizeof error.file + sizeof error.reason + 32];
    describeLayoutError(&error, message, sizeof message);
    std::fprintf(stderr, "thermostat: %s\n", message);
    return 1;
  }
  if (!findViews()) {
    std::fprintf(stderr, "thermostat: %s lacks a view of ids 1, 2, 5 and 6\n", layout);
    return 1;
  }
  // Before SDL starts, so that the sensor shares nothing of it.
  const int sensor = startSensor();
  show(temperatureView, "--.-");
  setWindowTitle("thermostat");
  showPointer(false);
  receiveQuitRequests(ignoreQuitRequest);
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  fillScreen(PANEL_COLOUR);
  drawAllViews();
  drawLogo();
  showSetpoint();
  tick(nullptr);
  addTimer(1000, tick, nullptr);
  if (sensor >= 0) watchFile(sensor, readSensor, nullptr);
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
