// Start-up: the designer's fixed views, built in drawing order, and the first drawing.
#include "designer.h"

static constexpr int32_t WHITE = 0xFFFFFF;
static constexpr int32_t BLACK = 0x000000;
static constexpr int32_t NEAR_BLACK = 0x141414;
static constexpr int32_t BLUE = 0x0000FF;
static constexpr int32_t YELLOW = 0xFFFF00;

// The invisible view laid over a widget so that touches reach the designer
// instead of the widget; its value names the widget's list index.
static View* overlayOf(const View* widget) {
  View* overlay = newView(widget->width, widget->height, widget->xpos, widget->ypos);
  overlay->value = viewNumber(widget);
  return overlay;
}

static View* withBorder(View* view, int32_t colour) {
  view->border = colour;
  return view;
}

static View* withForeground(View* view, int32_t colour) {
  view->foreground = colour;
  return view;
}

static View* hidden(View* view) {
  view->status = STATUS_HIDDEN;
  return view;
}

static View* commandButton(int x, int y, const char* text) {
  return newButton(60, 30, besideCanvas(x), y, 0, text);
}

static View* stepper(int x, const char* text) {
  return withBorder(newLabel(20, 16, besideCanvas(x), 488, text), BLACK);
}

static View* numberField(int x) {
  return withBorder(newNumView(40, 17, besideCanvas(x), 470, ""), COLOR_NONE);
}

static View* swatch(int x) { return withBorder(newLabel(40, 16, besideCanvas(x), 530, ""), BLACK); }

static void createCanvas() {
  window = newLabel(designerWindowWidth(), designerWindowHeight(), 0, 0, "");
  window->background = LIGHT_GREY;
  newButton(266, 385, besideCanvas(430), 20, 0, "")->status = STATUS_DISABLED;
  drawfield = newButton(canvasWidth, canvasHeight, 20, 20, 0, "");
  drawfield->background = WHITE;
  drawfield->foreground = WHITE;
  drawarea = newView(canvasWidth, canvasHeight, 20, 20);
}

static void createPalette() {
  labelview = overlayOf(withBorder(newLabel(80, 32, besideCanvas(464), 48, " Label"), LIGHT_GREY));
  View* button = newButton(80, 32, besideCanvas(576), 48, 0, "Button");
  button->foreground = BLACK;
  button->background = WHITE;
  buttonview = overlayOf(button);
  vmeterview = overlayOf(newVMeter(32, 64, besideCanvas(464), 96, 100, 0, 50));
  hmeterview = overlayOf(newHMeter(64, 32, besideCanvas(544), 128, 100, 0, 50));
  hsliderview = overlayOf(newHSlider(128, 32, besideCanvas(464), 192, 100, 0, 50));
  vsliderview = overlayOf(newVSlider(32, 128, besideCanvas(640), 144, 100, 0, 50));
  View* numView = withBorder(newNumView(160, 16, besideCanvas(448), 240, "NumView"), BLACK);
  numviewview = overlayOf(withForeground(numView, NEAR_BLACK));
  graphicviewview = overlayOf(newGraphicView(144, 96, besideCanvas(440), 295));
  View* frame = withBorder(newLabel(96, 96, besideCanvas(590), 295, ""), LIGHT_GREY);
  withForeground(newLabel(80, 35, besideCanvas(615), 325, "View"), GREY);
  viewview = overlayOf(frame);
}

static void createCommandButtons() {
  copybutton = commandButton(440, 410, "Copy");
  deletebutton = commandButton(510, 410, "Delete");
  gridbutton = commandButton(580, 410, "Grid");
  loadbutton = commandButton(440, 576, "Load");
  savebutton = commandButton(510, 576, "Save");
  quitbutton = commandButton(580, 576, "Quit");
}

static void createPropertyPanel() {
  withForeground(newLabel(150, 20, besideCanvas(440), 450, "width      height"), BLUE);
  withForeground(newLabel(150, 20, besideCanvas(570), 450, "xpos       ypos"), BLUE);
  widthnum = numberField(435);
  heightnum = numberField(500);
  xposnum = numberField(565);
  yposnum = numberField(630);
  incwidth = stepper(435, " +");
  decwidth = stepper(455, " -");
  incheight = stepper(500, " +");
  decheight = stepper(520, " -");
  incxpos = stepper(565, " +");
  decxpos = stepper(585, " -");
  incypos = stepper(630, " +");
  decypos = stepper(650, " -");
  textcaption = withForeground(newLabel(150, 20, besideCanvas(440), 510, TEXT_CAPTION), BLUE);
  withForeground(newLabel(150, 20, besideCanvas(560), 510, "background foreground"), BLUE);
  textlabel = swatch(435);
  penlabel = swatch(500);
  bglabel = swatch(565);
  fglabel = swatch(630);
}

// Created last so that, once shown, it lies over the palette and wins its touches.
static void createAlert() {
  alertlabel = newLabel(200, 100, besideCanvas(450), 100, "");
  alertlabel->border = BLACK;
  alertlabel->background = YELLOW;
  hidden(alertlabel);
  alerttext = hidden(newLabel(150, 20, besideCanvas(480), 110, SAVE_QUESTION));
  alertcancel = hidden(newButton(70, 30, besideCanvas(470), 150, 0, "Cancel"));
  alertyes = hidden(newButton(70, 30, besideCanvas(560), 150, 0, "OK"));
}

void createFixedViews() {
  createCanvas();
  createPalette();
  createCommandButtons();
  createPropertyPanel();
  createAlert();
}

void startPanelwright() {
  createFixedViews();
  initGraphics();
  drawAllViews();
  noOfFixViews = noOfViews() - 1;
  startKeysAndHistory();
  protectUnsavedWork();
  tellBackupsLeft();
}
