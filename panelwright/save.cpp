// Saving the layout: after the alert's question, every placed view's line goes
// to "gui.txt", which never holds a cut or partial layout.
#include <cstdio>
#include <cstring>
#include <string>

#include "designer.h"
#include "safe_write.h"

// Asked instead of the usual question when another designer or an editor has
// written gui.txt since this designer last loaded or saved it.
static constexpr const char* CHANGED_QUESTION = "Replace changed gui.txt?";

// Short forms of the failures, for the alert's text label.
static constexpr const char* CANNOT_OPEN = "Can't open gui.txt!";
static constexpr const char* CANNOT_WRITE = "Can't write gui.txt!";
// Where a failed save put the layout instead.
static constexpr const char* COPY_BESIDE = "Copy in gui.txt.save";
static constexpr const char* COPY_AT_HOME = "Copy in ~/gui.txt.save";

// Where the canvas is not the default one, the file says for which panel size
// it was made; as a comment, it still compiles where it is included.
static std::string canvasLine() {
  if (isDefaultCanvas()) return "";
  return "// canvas " + std::to_string(canvasWidth) + "x" + std::to_string(canvasHeight) + "\n";
}

std::string layoutText() {
  std::string text = canvasLine();
  for (int i = noOfFixViews + 1; i < noOfViews(); ++i) {
    const View* v = getView(i);
    char line[LAYOUT_LINE_SIZE];
    if (v->status == STATUS_HIDDEN) continue;
    text.append(line, static_cast<size_t>(formatLayoutLine(v, line)));
  }
  return text;
}

// What went wrong on standard error, then the system's reason on a line of its
// own; the failure's short form for the alert.
static const char* reportFailure(const WriteResult& result) {
  const char* shortForm = CANNOT_WRITE;
  switch (result.fault) {
    case WriteFault::NOT_OPENED:
      std::fprintf(stderr, "Can't open output file %s!\n", LAYOUT_FILE);
      shortForm = CANNOT_OPEN;
      break;
    case WriteFault::NOT_WRITTEN_KEPT:
      std::fprintf(stderr, "Could not write output file %s; the previous one is kept\n",
                   LAYOUT_FILE);
      break;
    default:
      std::fprintf(stderr, "Could not write output file %s completely\n", LAYOUT_FILE);
  }
  std::fprintf(stderr, "%s: %s\n", LAYOUT_FILE, std::strerror(result.error));
  if (result.backup.empty()) return shortForm;
  if (result.fault == WriteFault::NOT_OPENED) {
    std::fprintf(stderr, "A save cut short left %s; remove it once its layout is safe\n",
                 result.backup.c_str());
  } else {
    std::fprintf(stderr, "The previous %s is in %s\n", LAYOUT_FILE, result.backup.c_str());
  }
  return shortForm;
}

void tellBackupsLeft() {
  for (const std::string& backup : backupsLeftFor(LAYOUT_FILE)) {
    std::fprintf(stderr, "A save of %s was cut short: the previous one is in %s\n", LAYOUT_FILE,
                 backup.c_str());
  }
}

// The layout goes to gui.txt.save instead; the alert says where, or, where no
// copy could be written either, why the save failed.
static const char* failureMessage(const WriteResult& result) {
  const char* shortForm = reportFailure(result);
  switch (writeSaveCopy(layoutText())) {
    case SaveCopyPlace::BESIDE:
      return COPY_BESIDE;
    case SaveCopyPlace::HOME:
      return COPY_AT_HOME;
    default:
      return shortForm;
  }
}

// The answer holds for gui.txt as it was when the question was asked: a file
// written meanwhile by someone else is asked about again, by name.
static bool confirmedForTheFileOnDisk() {
  for (;;) {
    const LayoutLook asked = lookAtLayoutFile();
    if (!askInAlert(layoutFileChangedOnDisk() ? CHANGED_QUESTION : SAVE_QUESTION)) return false;
    if (!layoutFileChangedOnDisk() || sameLook(asked, lookAtLayoutFile())) return true;
  }
}

void saveGUI() {
  // A second Save while the alert is up would nest another alert in this one.
  if (alertIsUp()) return;
  if (confirmedForTheFileOnDisk()) {
    const WriteResult result = writeFileSafely(LAYOUT_FILE, layoutText());
    if (result.fault != WriteFault::NONE) {
      tellInAlert(failureMessage(result));
    } else {
      markLayoutSaved();
      stampLayoutFile();
    }
  }
  hideAlert();
  redrawAllViews();
}
