// The examples built against the installed package: each starts, draws what
// the same example built in this tree draws (its picture in docs/), and ends
// with status 0 at a release on the screen's left column, which lies in no view.
#include <ostream>
#include <string>
#include <tuple>

#include "harness.h"
#include "png_image.h"

namespace {

struct Built {
  const char* way;  // how it was built: "cmake" or "pkgconfig"
  const char* example;
};

constexpr Built BUILT[] = {
    {"cmake", "counter"},
    {"cmake", "layout"},
    {"pkgconfig", "counter"},
    {"pkgconfig", "layout"},
};

void PrintTo(const Built& built, std::ostream* out) { *out << built.way << "_" << built.example; }

using Param = std::tuple<Built, Runtime>;

class InstalledExamples : public ::testing::TestWithParam<Param> {};

TEST_P(InstalledExamples, DrawAndEndAtAReleaseOnTheLeftColumn) {
  const auto& [built, runtime] = GetParam();
  const std::string example = built.example;
  const std::string path = std::string(BUILT_DIR) + "/" + built.way + "-" + example + "/" + example;
  XSession app(path, 400, 600, runtime);
  ASSERT_TRUE(app.ok()) << app.error();

  Image picture;
  ASSERT_EQ(readPng(std::string(DOCS_DIR) + "/" + example + ".png", picture), "");
  const Screenshot shot = app.capture();
  EXPECT_EQ(shot.width, picture.width);
  EXPECT_EQ(shot.height, picture.height);
  EXPECT_TRUE(shot.pixels == picture.pixels)
      << "it draws other pixels than docs/" << example << ".png";

  app.moveTo(0, 300);
  app.press();
  app.release();
  EXPECT_EQ(app.waitExit(), 0) << app.stderrText();
}

std::string builtName(const ::testing::TestParamInfo<Param>& info) {
  const Built& built = std::get<0>(info.param);
  return std::string(built.way) + "_" + built.example + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Package, InstalledExamples,
                         ::testing::Combine(::testing::ValuesIn(BUILT),
                                            ::testing::ValuesIn(sdlRuntimes())),
                         builtName);

}  // namespace
