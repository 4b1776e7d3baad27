#include "authoring/password.h"

#include "platform/cp932.h"
#include "practice/record_store.h"

namespace tavolo {

namespace {

constexpr std::string_view kPasswordKey = "pw";

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string StoredPasswordForm(std::string_view typed) {
  return std::string(TrimBlanks(DecodeCp932(EncodeCp932(typed))));
}

PasswordEntry::PasswordEntry(std::string learner, std::filesystem::path recordFile)
    : learner_(std::move(learner)), recordFile_(std::move(recordFile)) {
  stored_ = RecordStore(recordFile_).ReadValue(kPasswordSection, kPasswordKey, kNoPasswordYet);
  // "pw=" with nothing after it (a hand-edited or cut file) is no password: as
  // a password it could never be typed (at least four characters are asked),
  // and the learner would be locked out for good.
  if (stored_.empty()) stored_ = kNoPasswordYet;
}

std::string PasswordEntry::Greeting() const { return "ようこそ" + learner_ + "さん"; }

std::string_view PasswordEntry::Prompt() const {
  return IsNew() ? "新規パスワードを設定してください" : "パスワードを入力してください";
}

PasswordVerdict PasswordEntry::Accept(std::string_view first, std::string_view second) {
  const std::string password = StoredPasswordForm(first);
  if (SjisLength(password) < kMinPasswordBytes)
    return {false, "４文字以上にしてください", PasswordField::First};
  if (!IsNew()) {
    if (password == stored_) return {true, {}, PasswordField::First};
    return {false, "パスワードを正しく入力してください", PasswordField::First};
  }
  if (second != first) return {false, "確認のため再入力してください", PasswordField::Second};
  if (Status written =
          RecordStore(recordFile_).WriteValue(kPasswordSection, kPasswordKey, password);
      !written)
    return {false, written.message(), PasswordField::First};
  stored_ = password;
  return {true, {}, PasswordField::First};
}

}  // namespace tavolo
