#pragma once
// A course folder for timing the class records: one lesson of 26 units in 4
// sections and 40 learners who ran every unit 50 times (or as many learners
// and runs as asked), written into a fresh temporary folder that is removed
// afterwards.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "practice/record_line.h"

namespace tavolo::bench {

class ClassRecordsCourse {
 public:
  explicit ClassRecordsCourse(int learners = 40, int runs = 50)
      : root_(std::filesystem::temp_directory_path() / "tavolo-bench-class") {
    namespace fs = std::filesystem;
    fs::remove_all(root_);
    fs::create_directories(root_ / "kazu");
    Write(root_ / "Main.ind", "数学\r\n\r\n正負,kazu\\ ksk\r\n");
    std::string index = "正の数と負の数\r\n";
    std::vector<std::string> sections;
    for (int s = 1, unit = 0; s <= 4; ++s) {
      index += "[[sect" + std::to_string(s) + "\r\n節" + std::to_string(s) + "\r\n<<\r\n";
      for (int u = 1; u <= (s <= 2 ? 7 : 6); ++u) {
        const std::string caption = "単元" + std::to_string(++unit);
        index += caption + "\r\n";
        sections.push_back("S" + std::to_string(s) + std::to_string(u) + caption);
      }
      index += ">>\r\n]]\r\n";
    }
    Write(root_ / "kazu" / "ksk.ind", index);
    for (int learner = 1; learner <= learners; ++learner) {
      std::string text = "[password]\r\npw=abc\r\n";
      for (const auto& section : sections) {
        text += "[" + section + "]\r\n";
        for (int k = 1; k <= runs; ++k)
          text +=
              std::to_string(k) + "=" +
              RecordLine({{2024, 5, 3, 14, k % 60, 0}, 0, "0010", 3, 4, (k * 7) % 101, 135 + k}) +
              "\r\n";
      }
      Write(root_ / "kazu" / ("学習者" + std::to_string(learner) + ".ini"), text);
    }
  }
  ~ClassRecordsCourse() { std::filesystem::remove_all(root_); }

  std::string folder() const { return root_.string() + "/"; }
  // The first learner's name and the section of the lesson's first unit.
  static std::string FirstLearner() { return "学習者1"; }
  static std::string FirstUnit() { return "S11単元1"; }

 private:
  static void Write(const std::filesystem::path& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary) << EncodeCp932(utf8);
  }
  std::filesystem::path root_;
};

}  // namespace tavolo::bench
