// Saving the layout as "gui.txt" after the confirmation alert.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "designer_test.h"

namespace fs = std::filesystem;

// fsync is wrapped at link time, to end the designer with a signal while the
// scratch file is being written, or to fail or kill it at the n-th fsync
// counted from fsyncsSeen = 0.
static int signalAtFsync = 0;
static int fsyncsSeen = 0;
static int failingFsync = 0;
static int killingFsync = 0;

extern "C" int __real_fsync(int fd);
extern "C" int __wrap_fsync(int fd) {
  if (signalAtFsync != 0) raise(signalAtFsync);
  ++fsyncsSeen;
  if (fsyncsSeen == killingFsync) raise(SIGKILL);
  if (fsyncsSeen == failingFsync) {
    errno = EIO;
    return -1;
  }
  return __real_fsync(fd);
}

namespace {

std::string textOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class Saving : public DesignerInFolder {
 protected:
  // Releases Save and answers the alert; the answer waits in the queue and is
  // handled by the alert's own loop.
  static void saveAnswering(const View* answer) {
    queueTap(savebutton);
    queueTap(answer);
    dispatch();
  }

  // Save and OK, then the failure's message, which OK dismisses.
  static void saveFailingWith(const char* message) {
    whenWaiting([message] {
      expectAlert(message, false);
      queueTap(alertyes);
    });
    saveAnswering(alertyes);
  }

  // Save and OK, with an answer planned for a message that must not come.
  static bool savedWithoutAMessage() {
    whenWaiting([] { queueTap(alertyes); });
    saveAnswering(alertyes);
    return dropWaitingSteps() == 1;
  }
};

TEST_F(Saving, LabelAndButtonGiveTwoLines) {
  place(labelview, 96, 64);
  place(buttonview, 208, 304);
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(),
            "newLabel(80, 32, 96, 64, \" Label\");\n"
            "newButton(80, 32, 208, 304, 0, \"Button\");\n");
  expectAlertHidden();
  expectOnlyTheLayoutFile();
}

// Once this designer has saved gui.txt, a file written there since by someone
// else is named in the question; the first save asks as ever.
TEST_F(Saving, AFileChangedOnDiskIsNamedInTheQuestion) {
  const char* const questions[] = {"Replace previous file?", "Replace changed gui.txt?",
                                   "Replace previous file?"};
  for (const char* const& question : questions) {
    whenWaiting([question] {
      expectAlert(question, true);
      queueTap(alertyes);
    });
    tapButton(savebutton);
    if (&question == questions) writeLayoutText("edited by hand\n");
  }
}

TEST_F(Saving, EveryKindInPlacementOrderWithoutDeletedViews) {
  place(labelview, 30, 30);
  place(buttonview, 130, 30);
  place(vmeterview, 30, 100);
  place(hmeterview, 100, 120);
  place(hsliderview, 30, 200);
  place(vsliderview, 200, 200);
  place(numviewview, 30, 400);
  place(graphicviewview, 200, 400);
  tap(132, 136);  // select the horizontal meter
  tapButton(deletebutton);
  tapButton(copybutton);   // a copy of the deleted meter is saved
  drag(70, 46, 340, 566);  // move the label to (300, 550)
  saveAnswering(alertyes);
  // The same file is compiled into saved_layout_test.cpp, which checks that the
  // saved lines build these views as C++.
  std::ifstream expected(EVERY_KIND_LAYOUT);
  const std::string expectedText{std::istreambuf_iterator<char>(expected), {}};
  ASSERT_FALSE(expectedText.empty());
  EXPECT_EQ(layoutText(), expectedText);
}

TEST_F(Saving, NegativePositionsKeepTheirSign) {
  place(labelview, 0, 0);
  tapButton(decxpos);
  tapButton(decypos);
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(), "newLabel(80, 32, -1, -1, \" Label\");\n");
}

TEST_F(Saving, CancelLeavesTheFileAlone) {
  writeLayoutText("previous layout\n");
  place(labelview, 96, 64);
  saveAnswering(alertcancel);
  EXPECT_EQ(layoutText(), "previous layout\n");
  expectAlertHidden();
  expectOnlyTheLayoutFile();
}

TEST_F(Saving, CancelWithoutAFileCreatesNone) {
  saveAnswering(alertcancel);
  EXPECT_FALSE(fs::exists(dir / "gui.txt"));
}

TEST_F(Saving, EmptyOrAllDeletedLayoutsGiveAnEmptyFile) {
  writeLayoutText("previous layout\n");
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(), "");
  place(labelview, 96, 64);
  tapButton(deletebutton);
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(), "");
  EXPECT_TRUE(fs::is_regular_file(dir / "gui.txt"));
}

// While the alert waits, the rest of the screen keeps working.
TEST_F(Saving, ViewsPlacedWhileTheAlertIsUpAreSaved) {
  queueTap(savebutton);
  pushPress(465, 49);
  pushMotion(97, 65);
  pushRelease(97, 65);
  queueTap(quitbutton);
  queueTap(alertyes);
  dispatch();
  EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n");
  EXPECT_EQ(quit, 1) << "Quit takes effect once the alert is answered";
  expectAlertHidden();
}

TEST_F(Saving, SaveWhileTheAlertIsUpIsIgnored) {
  place(labelview, 96, 64);
  queueTap(savebutton);
  queueTap(savebutton);
  queueTap(alertyes);
  dispatch();
  EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n");
  expectAlertHidden();
}

// The alert lies over the horizontal meter entry: without it, this tap would
// drop a meter.
TEST_F(Saving, AlertBoxTakesTouchesOverThePalette) {
  queueTap(savebutton);
  queueTap(alertlabel);
  queueTap(alertyes);
  dispatch();
  EXPECT_EQ(tempptr, nullptr);
  EXPECT_EQ(noOfViews(), 53);
  EXPECT_EQ(layoutText(), "");
}

// A layout file that cannot be written ends nothing: the layout goes to
// gui.txt.save beside it, the alert says so, the layout stays, and once the
// obstacle is gone a save works.
TEST_F(Saving, UnopenableFileKeepsTheLayoutForALaterSave) {
  struct Obstacle {
    const char* what;
    std::function<void()> make;
  };
  const Obstacle obstacles[] = {
      {"a folder named gui.txt", [] { fs::create_directory("gui.txt"); }},
      {"a link to itself", [] { fs::create_symlink("gui.txt", "gui.txt"); }},
      {"a link into a missing folder", [] { fs::create_symlink("missing/gui.txt", "gui.txt"); }},
  };
  place(labelview, 96, 64);
  place(vmeterview, 200, 300);
  for (const Obstacle& o : obstacles) {
    o.make();
    redrawAllViews();
    const auto screenBefore = snapshot();
    testing::internal::CaptureStderr();
    saveFailingWith("Copy in gui.txt.save");
    // The system's reason follows, as the end-to-end tests check.
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(said.starts_with("Can't open output file gui.txt!\ngui.txt: ")) << o.what;
    EXPECT_TRUE(
        said.ends_with("\nUnsaved layout written to " + (dir / "gui.txt.save").string() + "\n"))
        << o.what << ": " << said;
    EXPECT_EQ(textOf("gui.txt.save"),
              "newLabel(80, 32, 96, 64, \" Label\");\n"
              "newVMeter(32, 64, 200, 300);\n")
        << o.what;
    fs::remove("gui.txt.save");
    EXPECT_EQ(quit, 0) << o.what;
    EXPECT_EQ(noOfViews(), 57) << o.what;
    EXPECT_TRUE(snapshot() == screenBefore) << o.what << ": the layout is still on the canvas";
    expectAlertHidden();
    expectOnlyTheLayoutFile();
    fs::remove("gui.txt");
    saveAnswering(alertyes);
    EXPECT_EQ(layoutText(),
              "newLabel(80, 32, 96, 64, \" Label\");\n"
              "newVMeter(32, 64, 200, 300);\n")
        << o.what;
    fs::remove("gui.txt");
  }
}

// Root writes into any folder, so the save runs as an ordinary user in a child.
TEST_F(Saving, ReadOnlyFolderStillRewritesAWritableLayoutFile) {
  using fs::perms;
  writeLayoutText("previous layout\n");
  fs::permissions(dir / "gui.txt", perms::owner_read | perms::owner_write | perms::group_read |
                                       perms::group_write | perms::others_read |
                                       perms::others_write);
  place(labelview, 96, 64);
  fs::permissions(dir, perms::owner_read | perms::owner_exec | perms::group_read |
                           perms::group_exec | perms::others_read | perms::others_exec);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
        saveAnswering(alertyes);
        std::_Exit(layoutText() == "newLabel(80, 32, 96, 64, \" Label\");\n" ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
  fs::permissions(dir, perms::owner_all);
  expectOnlyTheLayoutFile();
}

// Written in place, a layout that cannot be written whole is said to be so.
TEST_F(Saving, FailedWriteInPlaceIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fail writes with";
  using fs::perms;
  fs::create_symlink("/dev/full", dir / "gui.txt");
  place(labelview, 96, 64);
  fs::permissions(dir, perms::owner_read | perms::owner_exec | perms::group_read |
                           perms::group_exec | perms::others_read | perms::others_exec);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
        saveFailingWith("Can't write gui.txt!");
        std::_Exit(quit == 0 && !HasFailure() ? 0 : 2);
      },
      testing::ExitedWithCode(0),
      "^Could not write output file gui\\.txt completely\ngui\\.txt: No space left on device\n$");
  fs::permissions(dir, perms::owner_all);
  EXPECT_TRUE(fs::is_symlink(dir / "gui.txt"));
}

// A write cut short (here by a file size limit below the layout's 296 bytes
// and the previous file's 250, above the messages' 170 on standard error)
// ends nothing and leaves the previous file whole and no scratch file behind,
// whether it is replaced or, in a folder the user may not write, rewritten.
TEST_F(Saving, FailedWriteKeepsThePreviousFile) {
  writeLayoutText(std::string(250, 'p'));
  fs::permissions("gui.txt", fs::perms(0666));
  for (int y : {30, 80, 130, 180, 230, 280, 330, 380}) place(labelview, 30, y);
  EXPECT_EXIT(
      {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 200;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(3);
        saveFailingWith("Can't write gui.txt!");
        fs::permissions(dir, fs::perms(0555));
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
        saveFailingWith("Can't write gui.txt!");
        std::_Exit(quit == 0 && !HasFailure() ? 0 : 2);
      },
      testing::ExitedWithCode(0),
      "^(Could not write output file gui\\.txt; the previous one is kept\n"
      "gui\\.txt: File too large\n){2}$");
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_EQ(layoutText(), std::string(250, 'p'));
  expectOnlyTheLayoutFile();
}

// A signal that ends the designer mid-save takes the scratch file with it.
TEST_F(Saving, SignalMidSaveLeavesNoScratchFile) {
  writeLayoutText("previous layout\n");
  place(labelview, 96, 64);
  signalAtFsync = SIGHUP;
  EXPECT_EXIT(saveAnswering(alertyes), testing::KilledBySignal(SIGHUP), "");
  signalAtFsync = 0;
  EXPECT_EQ(layoutText(), "previous layout\n");
  expectOnlyTheLayoutFile();
}

// Another user's file in a group folder keeps its owner and group whoever
// saves it: a group member rewrites it, root replaces it; a file with another
// name is rewritten, so that both names see the save.
TEST_F(Saving, OwnerGroupAndOtherNamesAreKept) {
  if (geteuid() != 0) GTEST_SKIP() << "only root gives files to other users";
  place(labelview, 96, 64);
  ASSERT_EQ(chown(dir.c_str(), 0, 4242), 0);
  fs::permissions(dir, fs::perms(0775));
  for (const bool groupMember : {true, false}) {
    writeLayoutText("previous layout\n");
    ASSERT_EQ(chown("gui.txt", 1, 4242), 0);
    fs::permissions("gui.txt", fs::perms(0664));
    if (!groupMember) fs::create_hard_link("gui.txt", "other.txt");
    EXPECT_EXIT(std::_Exit((groupMember && (setgid(4242) != 0 || setuid(65534) != 0)) ||
                           !savedWithoutAMessage()),
                testing::ExitedWithCode(0), "");
    EXPECT_TRUE(groupMember || fs::equivalent("gui.txt", "other.txt"));
    // Root saves again once the file has one name: it is replaced, and given back.
    EXPECT_TRUE(groupMember || (fs::remove("other.txt") && savedWithoutAMessage()));
    struct stat file {};
    ASSERT_EQ(stat("gui.txt", &file), 0);
    EXPECT_EQ(std::pair(file.st_uid, file.st_gid), std::pair(1u, 4242u)) << groupMember;
    EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n") << groupMember;
  }
  expectOnlyTheLayoutFile();
}

// What a device or a pipe takes counts as saved: neither can be synced.
TEST_F(Saving, DevicesAndPipesTakeTheLayout) {
  place(labelview, 96, 64);
  fs::create_symlink("/dev/null", "gui.txt");
  EXPECT_TRUE(savedWithoutAMessage()) << "/dev/null";
  fs::remove("gui.txt");
  ASSERT_EQ(mkfifo("gui.txt", 0600), 0);
  const int reader = open("gui.txt", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  EXPECT_TRUE(savedWithoutAMessage()) << "a pipe";
  char text[64] = {};
  EXPECT_EQ(read(reader, text, sizeof text), 36);
  EXPECT_STREQ(text, "newLabel(80, 32, 96, 64, \" Label\");\n");
  close(reader);
}

// The scratch file is created under a name of its own: files and links that
// stand beside the layout under the scratch names' pattern are neither
// followed nor touched.
TEST_F(Saving, PlantedScratchNamesAreNotFollowed) {
  char outside[] = "/tmp/panelwright-victim-XXXXXX";
  ASSERT_NE(mkdtemp(outside), nullptr);
  const fs::path victim = fs::path(outside) / "victim";
  std::ofstream(victim) << "victim\n";
  const char* const linked[] = {"gui.txt.tmp", "gui.txt.AAAAAA", "gui.txt.zzzzzz",
                                "gui.txt.000000"};
  for (const char* name : linked) fs::create_symlink(victim, name);
  fs::create_symlink(fs::path(outside) / "created", "gui.txt.XXXXXX");
  std::ofstream("gui.txt.aB3dE5") << "planted\n";
  writeLayoutText("previous layout\n");
  place(labelview, 96, 64);
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n");
  EXPECT_FALSE(fs::is_symlink("gui.txt"));
  std::ifstream victimIn(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victimIn), {}), "victim\n");
  for (const char* name : linked) EXPECT_EQ(fs::read_symlink(name), victim) << name;
  EXPECT_FALSE(fs::exists(fs::path(outside) / "created")) << "a dangling link was followed";
  std::ifstream plantedIn("gui.txt.aB3dE5");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(plantedIn), {}), "planted\n");
  expectOnlyTheLayoutFile({"gui.txt.tmp", "gui.txt.AAAAAA", "gui.txt.zzzzzz", "gui.txt.000000",
                           "gui.txt.XXXXXX", "gui.txt.aB3dE5"});
  fs::remove_all(outside);
}

TEST_F(Saving, PermissionBitsAreKept) {
  place(labelview, 96, 64);
  const mode_t mask = umask(022);
  saveAnswering(alertyes);
  EXPECT_EQ(fs::status("gui.txt").permissions(), fs::perms(0644))
      << "a new file, as fopen makes it";
  for (const unsigned mode : {0600u, 0640u, 0664u, 0606u, 0777u}) {
    fs::permissions("gui.txt", fs::perms(mode));
    saveAnswering(alertyes);
    EXPECT_EQ(fs::status("gui.txt").permissions(), fs::perms(mode)) << std::oct << mode;
  }
  umask(mask);
  EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n");
  expectOnlyTheLayoutFile();
}

// Through a link, the link stays and the file it leads to takes the layout,
// replaced in its own folder with its permissions.
TEST_F(Saving, SymlinkedLayoutFileStaysALink) {
  struct Link {
    const char* what;
    std::vector<std::pair<fs::path, fs::path>> links;  // link, what it holds
    bool targetExists;
  };
  const fs::path target = dir / "real" / "layout.txt";
  const Link cases[] = {
      {"relative link", {{"gui.txt", "real/layout.txt"}}, true},
      {"absolute link", {{"gui.txt", target}}, true},
      {"chain of links", {{"gui.txt", "real/hop"}, {"real/hop", "layout.txt"}}, true},
      {"link to a file not there yet", {{"gui.txt", "real/layout.txt"}}, false},
  };
  place(labelview, 96, 64);
  for (const Link& c : cases) {
    fs::create_directory("real");
    if (c.targetExists) {
      std::ofstream(target) << "previous layout\n";
      fs::permissions(target, fs::perms(0640));
    }
    for (const auto& [link, holds] : c.links) fs::create_symlink(holds, link);
    saveAnswering(alertyes);
    for (const auto& [link, holds] : c.links) {
      EXPECT_TRUE(fs::is_symlink(link)) << c.what << ": " << link;
      EXPECT_EQ(fs::read_symlink(link), holds) << c.what;
    }
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "newLabel(80, 32, 96, 64, \" Label\");\n")
        << c.what;
    if (c.targetExists) {
      EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640)) << c.what;
    }
    for (const auto& entry : fs::directory_iterator("real")) {
      const fs::path name = entry.path().filename();
      EXPECT_TRUE(name == "layout.txt" || name == "hop") << c.what << ": left behind: " << name;
    }
    expectOnlyTheLayoutFile({"real"});
    fs::remove_all("real");
    fs::remove("gui.txt");
  }
}

// Another designer (here the test) writes gui.txt while this one asks, or
// before it asks, or while its Load asks: the next save names the change,
// and Cancel keeps the other designer's layout.
TEST_F(Saving, AnotherDesignersLayoutIsNeverReplacedUnasked) {
  const std::string other = "newVMeter(1, 2, 3, 4);\n";
  place(labelview, 96, 64);
  // While the question is up: OK then finds the file changed and asks again.
  whenWaiting([other] {
    expectAlert("Replace previous file?", true);
    writeLayoutText(other);
    queueTap(alertyes);
  });
  whenWaiting([] {
    expectAlert("Replace changed gui.txt?", true);
    queueTap(alertcancel);
  });
  tapButton(savebutton);
  EXPECT_EQ(layoutText(), other) << "written while the question was up";
  // Made since this designer started, before its Save.
  fs::remove("gui.txt");
  writeLayoutText(other);
  whenWaiting([] {
    expectAlert("Replace changed gui.txt?", true);
    queueTap(alertcancel);
  });
  tapButton(savebutton);
  EXPECT_EQ(layoutText(), other) << "written before the question";
  // Written while Load asks: what was loaded is older than the file.
  whenWaiting([] {
    expectAlert("Replace current layout?", true);
    writeLayoutText("newHMeter(5, 6, 7, 8);\n");
    queueTap(alertyes);
  });
  tapButton(loadbutton);
  EXPECT_EQ(layoutText(), "newHMeter(5, 6, 7, 8);\n");
  whenWaiting([] {
    expectAlert("Replace changed gui.txt?", true);
    queueTap(alertyes);
  });
  tapButton(savebutton);
  EXPECT_EQ(layoutText(), other) << "OK to the named change writes what was loaded";
}

// A signal that ends the designer with unsaved work leaves the layout in
// gui.txt.save, beside gui.txt or, where the folder cannot be written, at
// home, says where, and ends it by the signal as before; saved work leaves
// nothing behind.
TEST_F(Saving, EndingSignalsKeepUnsavedWorkInACopy) {
  struct Case {
    int signal;
    bool unsaved;
    bool folderWritable;
  };
  const Case cases[] = {{SIGINT, true, true},
                        {SIGTERM, true, true},
                        {SIGHUP, true, true},
                        {SIGHUP, true, false},
                        {SIGTERM, false, true}};
  const fs::path home = dir / "home";
  fs::create_directory(home);
  fs::permissions(home, fs::perms::all);
  place(labelview, 96, 64);
  for (const Case& c : cases) {
    const fs::path copy = (c.folderWritable ? dir : home) / "gui.txt.save";
    const std::string said = "^Unsaved layout written to " + copy.string() + "\n$";
    fs::permissions(dir, fs::perms(c.folderWritable ? 0777 : 0555));
    EXPECT_EXIT(
        {
          if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
          if (!c.unsaved) markLayoutSaved();
          refreshSaveCopy();
          protectUnsavedWork();
          raise(c.signal);
        },
        testing::KilledBySignal(c.signal), c.unsaved ? said : "^$");
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(textOf(copy), c.unsaved ? "newLabel(80, 32, 96, 64, \" Label\");\n" : "")
        << strsignal(c.signal);
    fs::remove(copy);
    EXPECT_TRUE(fs::is_empty(home));
    expectOnlyTheLayoutFile({"home"});
  }
}

// Under a file size limit that a standard error on a full file has reached,
// no write ends the designer: the layout, its copy and the messages all fail
// with EFBIG, and the alert tells.
TEST_F(Saving, FileSizeLimitNeverEndsTheDesigner) {
  for (int y : {30, 80, 130, 180, 230, 280, 330, 380}) place(labelview, 30, y);
  EXPECT_EXIT(
      {
        protectUnsavedWork();
        const int errors = open("errors.txt", O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        const std::string full(200, 'e');
        if (errors < 0 || write(errors, full.data(), full.size()) != 200) std::_Exit(3);
        dup2(errors, STDERR_FILENO);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 200;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(3);
        fprintf(stderr, "past the limit\n");
        saveFailingWith("Can't write gui.txt!");
        std::_Exit(quit == 0 && !HasFailure() ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(fs::file_size("errors.txt"), 200u);
  EXPECT_FALSE(fs::exists("gui.txt"));
  expectOnlyTheLayoutFile({"errors.txt"});
}

// A file with two names is rewritten in place, its old content kept in
// gui.txt.backup until the new one is synced: the backup is gone after a save;
// a failed fsync puts the old content back whole, even past the new one's end;
// a kill at any fsync leaves it whole in the file or the backup, which the
// next start names.
TEST_F(Saving, InPlaceSaveKeepsTheOldContentOnDisk) {
  const std::string old = std::string(300, 'p') + "\n";
  const std::string mine = "newLabel(80, 32, 96, 64, \" Label\");\n";
  writeLayoutText(old);
  fs::create_hard_link("gui.txt", "other.txt");
  place(labelview, 96, 64);
  EXPECT_TRUE(savedWithoutAMessage());
  EXPECT_EQ(layoutText(), mine);
  expectOnlyTheLayoutFile({"other.txt"});

  // The backup's fsync and its folder's come first, then the file's.
  writeLayoutText(old);
  fsyncsSeen = 0;
  failingFsync = 3;
  testing::internal::CaptureStderr();
  saveFailingWith("Copy in gui.txt.save");
  failingFsync = 0;
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Could not write output file gui.txt; the previous one is kept\n"
            "gui.txt: Input/output error\n"
            "Unsaved layout written to " +
                (dir / "gui.txt.save").string() + "\n");
  EXPECT_EQ(layoutText(), old) << "a failed fsync";
  fs::remove("gui.txt.save");
  expectOnlyTheLayoutFile({"other.txt"});

  for (const int killed : {1, 2, 3}) {
    writeLayoutText(old);
    EXPECT_EXIT(
        {
          fsyncsSeen = 0;
          killingFsync = killed;
          saveAnswering(alertyes);
        },
        testing::KilledBySignal(SIGKILL), "");
    const std::string backup = textOf("gui.txt.backup");
    EXPECT_TRUE(layoutText() == old || backup == old) << "killed at fsync " << killed;
    EXPECT_TRUE(layoutText() == old || layoutText() == mine) << killed;
    testing::internal::CaptureStderr();
    tellBackupsLeft();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "A save of gui.txt was cut short: the previous one is in " +
                  (dir / "gui.txt.backup").string() + "\n")
        << killed;
    // The backup is never overwritten: the file is left alone until it is gone.
    testing::internal::CaptureStderr();
    saveFailingWith("Copy in gui.txt.save");
    EXPECT_TRUE(testing::internal::GetCapturedStderr().starts_with(
        "Can't open output file gui.txt!\ngui.txt: File exists\nA save cut short left " +
        (dir / "gui.txt.backup").string() + "; remove it once its layout is safe\n"))
        << killed;
    EXPECT_EQ(textOf("gui.txt.backup"), backup) << killed;
    fs::remove("gui.txt.backup");
    fs::remove("gui.txt.save");
  }
  expectOnlyTheLayoutFile({"other.txt"});
}

// Redo of a Delete frames nothing, and Delete leaves the panel empty.
TEST_F(Saving, DeleteAndItsRedoLeaveNoTrace) {
  place(buttonview, 100, 100);
  tapButton(deletebutton);
  EXPECT_EQ(widthnum->value, 0);
  EXPECT_STREQ(textlabel->text, "");
  const auto deleted = snapshot();
  pushKey(SDLK_z, KMOD_LCTRL);
  pushKey(SDLK_y, KMOD_LCTRL);
  dispatch();
  EXPECT_TRUE(snapshot() == deleted) << "no selection frame where the view was";
  EXPECT_EQ(pixel(100, 116), WHITE);
}

// An access control list as the kernel stores it: a version, then entries of
// a tag, permissions and an id, ordered by tag.
struct AclEntry {
  uint16_t tag;
  uint16_t perm;
  uint32_t id;
};

static std::string aclValue(std::initializer_list<AclEntry> entries) {
  constexpr uint32_t VERSION = 2;
  std::string value(reinterpret_cast<const char*>(&VERSION), sizeof VERSION);
  for (const AclEntry& e : entries) value.append(reinterpret_cast<const char*>(&e), sizeof e);
  return value;
}

static std::string attribute(const char* name) {
  char value[256];
  const ssize_t size = getxattr("gui.txt", name, value, sizeof value);
  return size < 0 ? "" : std::string(value, static_cast<size_t>(size));
}

// A save keeps the layout file's access control list, which lets another
// user write it, and its extended attributes.
TEST_F(Saving, AccessListAndExtendedAttributesAreKept) {
  constexpr uint32_t NO_ID = ~0u;
  // user::rw- user:4242:rw- group::r-- mask::rw- other::---
  const std::string acl = aclValue(
      {{0x01, 6, NO_ID}, {0x02, 6, 4242}, {0x04, 4, NO_ID}, {0x10, 6, NO_ID}, {0x20, 0, NO_ID}});
  writeLayoutText("previous layout\n");
  if (setxattr("gui.txt", "user.origin", "kiosk", 5, 0) != 0) {
    GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
  }
  if (setxattr("gui.txt", "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
    GTEST_SKIP() << "this file system keeps no access control lists: " << std::strerror(errno);
  }
  place(labelview, 96, 64);
  saveAnswering(alertyes);
  EXPECT_EQ(layoutText(), "newLabel(80, 32, 96, 64, \" Label\");\n");
  EXPECT_EQ(attribute("user.origin"), "kiosk");
  EXPECT_EQ(attribute("system.posix_acl_access"), acl);
  EXPECT_EQ(fs::status("gui.txt").permissions(), fs::perms(0660))
      << "the mask shows as the group's";
  expectOnlyTheLayoutFile();
}

}  // namespace
