#include <gtest/gtest.h>

#include <string>

#include "toolkit.h"

// The header and the package carry one version, set in CMake's project().
TEST(Version, HeaderMatchesTheProjectVersion) {
  const std::string header = std::to_string(TOOLKIT_VERSION_MAJOR) + "." +
                             std::to_string(TOOLKIT_VERSION_MINOR) + "." +
                             std::to_string(TOOLKIT_VERSION_PATCH);
  EXPECT_EQ(header, PROJECT_VERSION_TEXT);
}
