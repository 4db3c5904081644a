// What every program answers on its command line: --help and --version, and
// otherwise nothing but the one file it may take. Header-only, so that the
// colour pad, which links no toolkit code, shares it too.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>

// The project's version, given by the build.
inline constexpr const char* KIOSKTK_VERSION = KIOSKTK_VERSION_TEXT;

struct ProgramUsage {
  const char* name;      // as it is started: "panelwright"
  const char* summary;   // what the program does, whole lines
  const char* file;      // the file it may take, as named in the usage ("FILE"); nullptr for none
  const char* fileHelp;  // what that file is
  // Options of the program's own, for the usage line (" [--canvas WxH]") and
  // their --help lines, whole lines; nullptr for none. The program takes them
  // out of the arguments before readCommandLine reads the rest.
  const char* options = nullptr;
  const char* optionsHelp = nullptr;
};

// What main() goes on with once the arguments are read.
struct CommandLine {
  bool run;  // false: end at once with exitStatus
  int exitStatus;
  const char* file;  // the file named on the command line; nullptr when none was
};

inline void printUsageLines(const ProgramUsage& usage, std::FILE* out) {
  const char* options = usage.options != nullptr ? usage.options : "";
  if (usage.file != nullptr)
    std::fprintf(out, "usage: %s%s [%s]\n", usage.name, options, usage.file);
  else
    std::fprintf(out, "usage: %s%s\n", usage.name, options);
  std::fprintf(out, "       %s --help | --version\n", usage.name);
}

inline void printHelp(const ProgramUsage& usage) {
  printUsageLines(usage, stdout);
  std::printf("\n%s\n", usage.summary);
  if (usage.file != nullptr) std::printf("  %-10s %s\n", usage.file, usage.fileHelp);
  if (usage.optionsHelp != nullptr) std::printf("%s", usage.optionsHelp);
  std::printf("  %-10s %s\n  %-10s %s\n", "--help", "show this help and end", "--version",
              "show the version and end");
}

// An answer that never reached standard output (a full disk, a closed pipe)
// must not end with success.
inline CommandLine endAfterAnswer(const ProgramUsage& usage) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return {false, 0, nullptr};
  std::fprintf(stderr, "%s: cannot write to standard output: %s\n", usage.name,
               std::strerror(errno));
  return {false, 1, nullptr};
}

// Options start with '-'; anything else is the file, where the program takes one.
inline CommandLine readCommandLine(const ProgramUsage& usage, int argc, char** argv) {
  if (argc <= 1) return {true, 0, nullptr};
  const char* argument = argv[1];
  const bool isHelp = std::strcmp(argument, "--help") == 0;
  const bool isVersion = std::strcmp(argument, "--version") == 0;
  if (argc == 2 && isHelp) {
    printHelp(usage);
    return endAfterAnswer(usage);
  }
  if (argc == 2 && isVersion) {
    std::printf("%s %s\n", usage.name, KIOSKTK_VERSION);
    return endAfterAnswer(usage);
  }
  const bool isFile = usage.file != nullptr && argument[0] != '-';
  if (argc == 2 && isFile) return {true, 0, argument};
  // The first argument that cannot stand where it is.
  const bool firstFits = isFile || isHelp || isVersion;
  std::fprintf(stderr, "%s: unexpected argument '%s'\n", usage.name,
               firstFits ? argv[2] : argument);
  printUsageLines(usage, stderr);
  return {false, 2, nullptr};
}
