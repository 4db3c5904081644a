// Layout texts and what reading them gives, shared by every reader of layout
// files: the toolkit's parser and loader, and the designer's Load.
#pragma once

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit.h"

struct LayoutCase {
  const char* name;
  std::string_view text;
  int line;            // of the fault; 0 for a text that is read
  const char* reason;  // null for a text that is read
  int views;           // views read from a good text
};

// Every form once, as the designer writes them.
inline constexpr std::string_view EVERY_FORM =
    "newLabel(80, 32, 96, 64, \" Label\");\n"
    "newButton(80, 32, 208, 304, 7, \"Button\");\n"
    "newNumView(160, 16, 30, 400);\n"
    "newGraphicView(144, 96, 200, 400);\n"
    "newVMeter(32, 64, 30, 100);\n"
    "newHMeter(64, 32, 110, 130);\n"
    "newVSlider(32, 128, 200, 200);\n"
    "newHSlider(128, 32, -30, -2147483648);\n";

inline constexpr LayoutCase GOOD_LAYOUTS[] = {
    {"every form", EVERY_FORM, 0, nullptr, 8},
    {"empty file", "", 0, nullptr, 0},
    {"blank lines only", "\n \n\t\n\r\n", 0, nullptr, 0},
    {"blanks and tabs around tokens", " \tnewButton ( 80 ,\t32 , 1 , 2 , -3 ,  \"OK\" ) ;\t \n", 0,
     nullptr, 1},
    {"CRLF line ends", "newVMeter(1, 2, 3, 4);\r\nnewHMeter(5, 6, 7, 8);\r\n", 0, nullptr, 2},
    {"blank lines between", "\nnewVMeter(1, 2, 3, 4);\n\n  \nnewHMeter(5, 6, 7, 8);\n\n", 0,
     nullptr, 2},
    {"last line without line feed", "newVMeter(1, 2, 3, 4);\nnewHMeter(5, 6, 7, 8);", 0, nullptr,
     2},
    {"no blanks at all", "newLabel(1,1,0,0,\"\");", 0, nullptr, 1},
    {"text of 24 characters", "newLabel(9, 9, 0, 0, \"abcdefghijklmnopqrstuvwx\");\n", 0, nullptr,
     1},
    {"int range ends", "newButton(2147483647, 1, -2147483648, 2147483647, -2147483648, \"\");\n", 0,
     nullptr, 1},
    {"lone zeros", "newButton(1, 2, 0, -0, 0, \"\");\n", 0, nullptr, 1},
    {"ids after the calls",
     "newNumView(200, 64, 40, 140)->id = 1;\nnewLabel(240, 36, 40, 340, \"Idle\")->id = -5;\n", 0,
     nullptr, 2},
    {"comment lines", "// layout\nnewVMeter(1, 2, 3, 4);\n\t // newVMeter(\r\n//\n", 0, nullptr, 1},
    {"the default canvas named", "// canvas 400x600\r\nnewVMeter(1, 2, 3, 4);\n", 0, nullptr, 1},
    {"a canvas line not first is a comment", "\n// canvas 1x\nnewVMeter(1, 2, 3, 4);\n", 0, nullptr,
     1},
    {"a comment starting with canvas", "//canvasses\n", 0, nullptr, 0},
};

inline constexpr LayoutCase BAD_LAYOUTS[] = {
    {"another constructor", "newView(1, 1, 1, 1);\n", 1, "not a layout line", 0},
    {"wrong case", "newlabel(1, 1, 1, 1, \"a\");\n", 1, "not a layout line", 0},
    {"a comment after a call", "newVMeter(1, 2, 3, 4); // meter\n", 1, "not a layout line", 0},
    {"canvas without a size", "// canvas\n", 1, "canvas line not \"// canvas WxH\"", 0},
    {"canvas size with a leading zero", "// canvas 0800x480\n", 1,
     "canvas line not \"// canvas WxH\"", 0},
    {"text after the canvas size", "  //  canvas 800x480 wide\n", 1,
     "canvas line not \"// canvas WxH\"", 0},
    {"canvas width 0", "// canvas 0x480\n", 1, "canvas size outside 1 to 8192", 0},
    {"canvas far past the limit", "// canvas 99999999999999999999x1\n", 1,
     "canvas size outside 1 to 8192", 0},
    {"fault on a later line", "newVMeter(1, 2, 3, 4);\n\nnewVMeter(1, 2, 3);\n", 3,
     "not a layout line", 0},
    {"no semicolon", "newVMeter(1, 2, 3, 4)\n", 1, "not a layout line", 0},
    {"text after the call", "newVMeter(1, 2, 3, 4); x\n", 1, "not a layout line", 0},
    {"two calls on a line", "newVMeter(1, 2, 3, 4); newVMeter(1, 2, 3, 4);\n", 1,
     "not a layout line", 0},
    {"a range after the geometry", "newVMeter(1, 2, 3, 4, 100, 0, 50);\n", 1, "not a layout line",
     0},
    {"label without text", "newLabel(1, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"button without id", "newButton(1, 2, 3, 4, \"OK\");\n", 1, "not a layout line", 0},
    {"text without quotes", "newLabel(1, 2, 3, 4, OK);\n", 1, "not a layout line", 0},
    {"quote inside a text", "newLabel(1, 2, 3, 4, \"a\"b\");\n", 1, "not a layout line", 0},
    {"unclosed text", "newLabel(1, 2, 3, 4, \"ab);\n", 1, "not a layout line", 0},
    {"backslash before another character", "newLabel(1, 2, 3, 4, \"C:\\temp\\new\");\n", 1,
     "backslash not before \\\" or \\\\", 0},
    {"zero byte in a text", std::string_view("newLabel(1, 2, 3, 4, \"a\0b\");\n", 29), 1,
     "not a layout line", 0},
    {"plus sign", "newVMeter(+1, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"decimal point", "newVMeter(1.5, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"hexadecimal", "newVMeter(0x10, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"empty number", "newVMeter(, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"blank inside a number", "newVMeter(1 0, 2, 3, 4);\n", 1, "not a layout line", 0},
    {"just past int range", "newVMeter(1, 2, 2147483648, 4);\n", 1, "number outside the int range",
     0},
    {"just below int range", "newButton(1, 2, 3, 4, -2147483649, \"\");\n", 1,
     "number outside the int range", 0},
    {"far past int range", "newVMeter(1, 2, 3, 99999999999999999999999);\n", 1,
     "number outside the int range", 0},
    {"leading zero", "newVMeter(010, 2, 3, 4);\n", 1, "number with a leading zero", 0},
    {"negative leading zero", "newVMeter(1, 2, 3, -010);\n", 1, "number with a leading zero", 0},
    {"text of 25 characters", "newLabel(9, 9, 0, 0, \"abcdefghijklmnopqrstuvwxy\");\n", 1,
     "text longer than 24 characters", 0},
    {"width 0", "newVMeter(0, 2, 3, 4);\n", 1, "width below 1", 0},
    {"negative height", "newHSlider(1, -2, 3, 4);\n", 1, "height below 1", 0},
    {"a lone carriage return", "newVMeter(1, 2, 3, 4);\r\r\n", 1, "not a layout line", 0},
    {"carriage return in a text", "newVMeter(1, 2, 3, 4);\nnewLabel(1, 2, 3, 4, \"a\rb\");\n", 2,
     "text with a character outside printable ASCII", 0},
    {"tab in a text", "newLabel(1, 2, 3, 4, \"a\tb\");\n", 1,
     "text with a character outside printable ASCII", 0},
    {"byte above ASCII in a text", "newButton(1, 2, 3, 4, 0, \"caf\xc3\xa9\");\n", 1,
     "text with a character outside printable ASCII", 0},
    {"delete character in a text", "newLabel(1, 2, 3, 4, \"\x7f\");\n", 1,
     "text with a character outside printable ASCII", 0},
};

// Ids set after the constructor call, for kinds whose constructor takes none.
struct IdLine {
  std::string_view text;
  int32_t id;           // what is read
  const char* written;  // the line the designer writes back; null for a refused line
  const char* reason;   // null for a line that is read
};

inline constexpr IdLine ID_LINES[] = {
    {"newNumView(80, 32, 96, 64)->id = 7;\n", 7, "newNumView(80, 32, 96, 64)->id = 7;\n", nullptr},
    {"newLabel(1, 2, 3, 4, \"T\")->id = -2147483648;\n", INT32_MIN,
     "newLabel(1, 2, 3, 4, \"T\")->id = -2147483648;\n", nullptr},
    {" newHSlider(1, 2, 3, 4) -> id=12 ;\r\n", 12, "newHSlider(1, 2, 3, 4)->id = 12;\n", nullptr},
    {"newGraphicView(1, 2, 3, 4)->id = 0;\n", 0, "newGraphicView(1, 2, 3, 4);\n", nullptr},
    {"newButton(1, 2, 3, 4, 5, \"\")->id = 6;\n", 0, nullptr, "not a layout line"},
    {"newVMeter(1, 2, 3, 4)->id = 07;\n", 0, nullptr, "number with a leading zero"},
    {"newVMeter(1, 2, 3, 4)->id = 2147483648;\n", 0, nullptr, "number outside the int range"},
    {"newVMeter(1, 2, 3, 4)->id = ;\n", 0, nullptr, "not a layout line"},
    {"newVMeter(1, 2, 3, 4)->id 5;\n", 0, nullptr, "not a layout line"},
    {"newVMeter(1, 2, 3, 4)->idx = 5;\n", 0, nullptr, "not a layout line"},
    {"newVMeter(1, 2, 3, 4)- >id = 5;\n", 0, nullptr, "not a layout line"},
    {"newVMeter(1, 2, 3, 4);->id = 5;\n", 0, nullptr, "not a layout line"},
};

// A file for fuzzing readers: one of the seeds with one to four edits that
// keep most of its shape (characters of the format replaced, inserted or
// deleted, pieces of it repeated), or now and then plain noise.
inline std::string mutatedLayout(std::mt19937& random, const std::string* seeds, size_t seedCount,
                                 bool noise) {
  constexpr char ALPHABET[] = "0123456789-+ \t\r\n\",;()\"newLabelButtonVMeterHSlider\0\xff";
  std::string text = seeds[random() % seedCount];
  if (noise) {
    text.resize(random() % 200);
    for (char& c : text) c = static_cast<char>(random());
  }
  for (int edits = 1 + static_cast<int>(random() % 4); edits > 0 && !text.empty(); --edits) {
    const size_t at = random() % text.size();
    const char c = ALPHABET[random() % (sizeof ALPHABET - 1)];
    switch (random() % 4) {
      case 0:
        text[at] = c;
        break;
      case 1:
        text.insert(at, 1, c);
        break;
      case 2:
        text.erase(at, 1 + random() % 8);
        break;
      default:
        text.insert(at, text.substr(random() % text.size(), random() % 40));
    }
  }
  return text;
}

// A view record holding the fields a layout line carries.
inline View viewOfLine(const LayoutView& v) {
  View view{};
  view.type = v.type;
  view.width = v.width;
  view.height = v.height;
  view.xpos = v.xpos;
  view.ypos = v.ypos;
  view.id = v.id;
  std::memcpy(view.text, v.text, sizeof view.text);
  return view;
}

// The lines the designer writes for these views.
inline std::string linesOf(const std::vector<LayoutView>& views) {
  std::string text;
  for (const LayoutView& v : views) {
    const View view = viewOfLine(v);
    char line[LAYOUT_LINE_SIZE];
    text.append(line, static_cast<size_t>(formatLayoutLine(&view, line)));
  }
  return text;
}
