#pragma once
// Stand-ins for the user and the settings files, for tests of the flows in
// core/app: an in-memory settings store and a Dialogs that records what the
// user was told and answers from a script.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/settings.h"

namespace tavolo::test {

class MemorySettings final : public SettingsStore {
 public:
  std::optional<std::string> Read(SettingsKey key, std::string_view name) override {
    auto it = values.find({key, std::string(name)});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  Status Write(SettingsKey key, std::string_view name, std::string_view value) override {
    if (refuseWrites) return Failure{"設定ファイルに書き込めません"};
    values[{key, std::string(name)}] = std::string(value);
    return Succeeded();
  }
  bool refuseWrites = false;  // a settings file on a full or read-only disk
  std::optional<std::string> Program(const std::string& name) {
    return Read(SettingsKey::Program, name);
  }
  std::optional<std::string> Family(const std::string& name) {
    return Read(SettingsKey::Family, name);
  }

  std::map<std::pair<SettingsKey, std::string>, std::string> values;
};

// Every message and question is logged in order ("inform: ...", "yesno: ...",
// "destroy: ...", "ync: ...", "save: ..."); questions take the next scripted answer. A question
// nobody scripted fails the test and is answered with No / Cancel.
class ScriptedDialogs final : public Dialogs {
 public:
  ScriptedDialogs() = default;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
  // A scripted answer nobody asked for means the flow skipped a question the
  // test expected it to ask.
  ~ScriptedDialogs() override {
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answer(s) never asked for";
    EXPECT_TRUE(files.empty()) << files.size() << " scripted file choice(s) never asked for";
  }

  void Inform(std::string_view message) override {
    log.push_back("inform: " + std::string(message));
  }
  bool AskYesNo(std::string_view question) override {
    log.push_back("yesno: " + std::string(question));
    return Next() == Answer::Yes;
  }
  // Logged apart from plain questions, so a test sees that the question
  // defaults to No.
  bool AskBeforeDestroying(std::string_view question) override {
    log.push_back("destroy: " + std::string(question));
    return Next() == Answer::Yes;
  }
  Answer AskYesNoCancel(std::string_view question) override {
    log.push_back("ync: " + std::string(question));
    return Next();
  }
  std::optional<std::string> ChooseSaveFile(std::string_view suggested,
                                            std::string_view filter) override {
    log.push_back("save: " + std::string(suggested) + " " + std::string(filter));
    return NextFile();
  }
  std::optional<std::string> ChooseOpenFile(std::string_view folder,
                                            std::string_view filter) override {
    log.push_back("open: " + std::string(folder) + " " + std::string(filter));
    return NextFile();
  }

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::vector<std::string> log;

 private:
  std::optional<std::string> NextFile() {
    if (files.empty()) {
      ADD_FAILURE() << "unexpected file choice";
      return std::nullopt;
    }
    auto file = files.front();
    files.pop_front();
    return file;
  }
  Answer Next() {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << log.back();
      return Answer::Cancel;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace tavolo::test
