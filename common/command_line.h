// What every program answers on its command line: --help and --version, and
// otherwise nothing but the one file it may take. Header-only, so that the
// colour pad, which links no toolkit code, shares it too.
#pragma once

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

// Options start with '-'; anything else is the file, where the program takes one.
inline CommandLine readCommandLine(const ProgramUsage& usage, int argc, char** argv) {
  if (argc <= 1) return {true, 0, nullptr};
  const char* argument = argv[1];
  if (argc == 2 && std::strcmp(argument, "--help") == 0) {
    printHelp(usage);
    return {false, 0, nullptr};
  }
  if (argc == 2 && std::strcmp(argument, "--version") == 0) {
    std::printf("%s %s\n", usage.name, KIOSKTK_VERSION);
    return {false, 0, nullptr};
  }
  const bool isFile = usage.file != nullptr && argument[0] != '-';
  if (argc == 2 && isFile) return {true, 0, argument};
  std::fprintf(stderr, "%s: unexpected argument '%s'\n", usage.name, isFile ? argv[2] : argument);
  printUsageLines(usage, stderr);
  return {false, 2, nullptr};
}
