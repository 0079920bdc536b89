#include "swf/input/KeyCodes.h"

namespace quelvo::swf {

namespace {

struct SpecialKey {
  int keyCode;
  int buttonCode;
};

constexpr SpecialKey kSpecialKeys[] = {
    {37, 1},  {39, 2},  {36, 3},  {35, 4},  {45, 5},  {46, 6}, {8, 8},
    {13, 13}, {38, 14}, {40, 15}, {33, 16}, {34, 17}, {9, 18}, {27, 19},
};

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

}  // namespace

int buttonKeyCode(int keyCode, int character) {
  for (const SpecialKey& key : kSpecialKeys) {
    if (key.keyCode == keyCode) return key.buttonCode;
  }
  return character >= kFirstPrintable && character <= kLastPrintable ? character : 0;
}

}  // namespace quelvo::swf
