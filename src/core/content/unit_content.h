#pragma once
// The unit model: what one reading of a unit block yields. Every list holds one
// entry per file line, in file order.

#include <string>
#include <vector>

namespace tavolo {

inline constexpr int kMaxQuestionLines = 60;
inline constexpr int kValueLineCount = 7;
inline constexpr int kFontLineCount = 7;
inline constexpr int kKranLineCount = 10;

struct UnitContent {
  std::string
      title;  // lesson caption + "//" + section caption + "§" + s + "-" + u + " " + unit caption
  std::string school;                      // "中学校"
  std::string name;                        // "　年　組　番　氏名"
  std::vector<std::string> questionLines;  // "<<ques", at most 60
  std::vector<std::string> headerLines;    // "<<header" (copy files: title, school, name)
  std::vector<std::string> valueLines;     // "<<value": empty or exactly 7
  std::vector<std::string> fontLines;      // "<<font": empty or exactly 7
  std::vector<std::string> kranLines;      // "<<kran": empty or exactly 10 (padded with "0")
  std::vector<std::string> graphLines;     // "<<graph": question figures, 3 lines each
  std::vector<std::string> aGraphLines;    // "<<AGraph": answer figures, 3 lines each
  std::vector<std::string> kgroupLines;    // "<<kgroup": answer choices
  std::vector<std::string> softkeyLines;   // "<<softkey": soft-keyboard keys
  // "<<random": the declarations of random data, as read (the first such
  // block; a unit holds one), and the file line of the first of them. 0 when
  // the unit has no block; an empty block has the line of its ">>".
  std::vector<std::string> randomLines;
  int randomFirstLine = 0;

  bool HasRandomBlock() const { return randomFirstLine > 0; }

  bool operator==(const UnitContent&) const = default;
};

// The captions of the lesson, section and unit entries chosen in the course menu.
struct UnitCaptions {
  std::string lesson;
  std::string section;
  std::string unit;
};

// The 30 lines of layout blocks ("<<value" ... ">>", "<<font" ... ">>",
// "<<kran" ... ">>") that a newly created unit receives.
const std::vector<std::string>& DefaultLayoutBlockLines();

}  // namespace tavolo
