#pragma once
// The worksheet the render benchmarks draw: 60 question lines, 80 answers,
// fractions and exponents, numbered header, all header options and boxes.

#include <string>

#include "sheet/page_renderer.h"

namespace tavolo::bench {

struct BenchSheet {
  SheetParams params;
  SheetPictures pictures;
  PageLayout layout;
  SheetPage page() { return {params, pictures, layout}; }
};

inline PageSettings BenchSettings() {
  PageSettings settings;
  settings.sheetNumber = 1;
  settings.shortUnitName = "sf4.que-U4";
  return settings;
}

inline BenchSheet MakeBenchSheet() {
  BenchSheet sheet;
  SheetParams& p = sheet.params;
  p.unit.title = "正の数と負の数//乗法と除法と累乗§4-4 乗法と除法の混じった計算";
  p.lineSpacing = 16;
  p.charSize = 10;
  p.kran[0] = "5";
  p.kran[1] = "8";
  p.kran[2] = "2";
  for (int i = 1; i <= 60; ++i) {
    const std::string n = "(" + std::to_string(i) + ") ";
    if (i <= 20) {
      p.unit.questionLines.push_back(n + "(-2/3)*(+9/4)=#-3/2;-1.5#　　(-3)^2=#9#");
    } else if (i % 2 == 0) {
      p.unit.questionLines.push_back(n + "(+" + std::to_string(i) + ")+(-7)=#+" +
                                     std::to_string(i - 7) + ";" + std::to_string(i - 7) + "#");
    } else {
      p.unit.questionLines.push_back(n + "@B次の数@/の逆数は？ -1&1/3　#-3/4;-0.75#");
    }
  }
  return sheet;
}

}  // namespace tavolo::bench
