#pragma once
// A learner's own password: what the password window says, and whether what
// was typed signs the learner on. The password lives in the learner's record
// file of the lesson (section "password", key "pw") as plain text, as record
// files of existing installations hold it; a missing key ("?") means that the
// learner has not set one yet.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace tavolo {

// What a missing password reads as.
inline constexpr std::string_view kNoPasswordYet = "?";
// Shortest password, in Shift-JIS bytes.
inline constexpr std::size_t kMinPasswordBytes = 4;

// The text as the record file gives it back: characters Shift-JIS cannot
// hold become "?" and the INI reader drops blanks at either end. Typed
// passwords are stored and compared in this form, so a password that was
// accepted once is accepted again.
std::string StoredPasswordForm(std::string_view typed);

enum class PasswordField { First, Second };

struct PasswordVerdict {
  bool accepted = false;
  std::string message;  // shown when not accepted
  PasswordField focus = PasswordField::First;
};

// One showing of the password window for a learner.
class PasswordEntry {
 public:
  // Reads the stored password from the record file (missing file or key: "?").
  PasswordEntry(std::string learner, std::filesystem::path recordFile);

  const std::string& Learner() const { return learner_; }
  // The learner has no password yet: it is set now, typed twice.
  bool IsNew() const { return stored_ == kNoPasswordYet; }
  // "ようこそ" + name + "さん".
  std::string Greeting() const;
  // "新規パスワードを設定してください" or "パスワードを入力してください".
  std::string_view Prompt() const;

  // OK (or Enter in either field). A new password that both fields agree on
  // is written to the record file; a write that fails is reported and the
  // learner stays in the window.
  PasswordVerdict Accept(std::string_view first, std::string_view second);

 private:
  std::string learner_;
  std::filesystem::path recordFile_;
  std::string stored_;
};

}  // namespace tavolo
