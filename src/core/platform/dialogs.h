#pragma once
// How core flows talk to the user. Flows never show a window themselves: they
// tell, ask and wait through this interface, which the desktop program answers
// with message boxes and file dialogs and the tests answer from a script.

#include <optional>
#include <string>
#include <string_view>

namespace tavolo {

enum class Answer { Yes, No, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A plain message with an OK button; returns when the user has read it.
  virtual void Inform(std::string_view message) = 0;
  // Yes / No; only Yes accepts.
  virtual bool AskYesNo(std::string_view question) = 0;
  // Yes / No for a step that erases or replaces what somebody made (records,
  // a file, a newer text): No is the default button, so an Enter pressed by
  // habit keeps everything. The question names what would be lost.
  virtual bool AskBeforeDestroying(std::string_view question) = 0;
  // Yes / No / Cancel.
  virtual Answer AskYesNoCancel(std::string_view question) = 0;
  // A file name to save to, or nothing when the user cancels. `filter` is
  // a pattern such as "*.prp"; `suggested` the path shown first.
  virtual std::optional<std::string> ChooseSaveFile(std::string_view suggested,
                                                    std::string_view filter) = 0;
  // An existing file to open, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseOpenFile(std::string_view folder,
                                                    std::string_view filter) = 0;
};

// Declines everything: no to every question, no file chosen, messages
// dropped. For runs nobody watches (benchmarks, fuzzing), and a base for
// answerers that care about only some of the calls.
class DecliningDialogs : public Dialogs {
 public:
  void Inform(std::string_view /*message*/) override {}
  bool AskYesNo(std::string_view /*question*/) override { return false; }
  bool AskBeforeDestroying(std::string_view /*question*/) override { return false; }
  Answer AskYesNoCancel(std::string_view /*question*/) override { return Answer::Cancel; }
  std::optional<std::string> ChooseSaveFile(std::string_view /*suggested*/,
                                            std::string_view /*filter*/) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(std::string_view /*folder*/,
                                            std::string_view /*filter*/) override {
    return std::nullopt;
  }
};

}  // namespace tavolo
