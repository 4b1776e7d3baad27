#pragma once
// A main window on a small course in a temporary folder, with its own
// settings files, data and home folders: the desktop program as a user would
// start it, without touching the real user's files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "gui/app/frm_main.h"
#include "gui/app/message_dialogs.h"
#include "gui/app/qsettings_store.h"
#include "modal_helper.h"
#include "support/course_files.h"

namespace tavolo::test {

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : settings(root.path() + "/config") {
    course = root.path() + "/course";
    QDir().mkpath(course);
    QDir().mkpath(root.path() + "/data");
    QDir().mkpath(root.path() + "/home");
    WriteCp932Lines((course + "/Main.ind").toStdString(),
                    {"正と負の数", "", "正の数と負の数,seifu\\ sf"});
    QImage title(120, 60, QImage::Format_RGB32);
    title.fill(Qt::white);
    title.save(course + "/Title.BMP", "BMP");
  }

  // A lesson with two sections: section 1 has units 1 (with similar problems
  // R1, R2 and R4) and 2 in its question file; section 2 has no question file.
  void WriteLesson() {
    const std::string c = course.toStdString();
    WriteCp932Lines(c + "/Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz"});
    WriteCp932Lines(c + "/kazu/kz.ind",
                    {"正の数と負の数", "[[sect1", "符号のついた数", "<<", "正の数・負の数",
                     "数直線", ">>", "]]", "[[sect2", "加法", "<<", "同符号の加法", ">>", "]]"});
    std::vector<std::string> lines;
    for (const char* key : {"[[unit1", "[[unit1R1", "[[unit1R2", "[[unit1R4", "[[unit2"}) {
      const std::vector<std::string> unit = {
          key,  "<<ques", "次の計算をしなさい。", "(1) (+3)+(-5)=#-2#", "(2) (-4)-(-6)=#2#",
          ">>", "]]"};
      lines.insert(lines.end(), unit.begin(), unit.end());
    }
    WriteCp932Lines(c + "/kazu/kz1.que", lines);
  }
  QString QuestionFile() const { return course + "/kazu/kz1.que"; }

  StartUpPlaces Places() const {
    StartUpPlaces places;
    places.courseFolder = course.toStdString();
    places.dataFolder = (root.path() + "/data").toStdString();
    places.homeFolder = (root.path() + "/home").toStdString();
    return places;
  }

  // A fresh main window on the course, shown, as the program makes it.
  TfrmMain& NewWindow() {
    window = std::make_unique<TfrmMain>(settings, dialogs);
    dialogs.SetParent(window.get());
    window->show();
    return *window;
  }

  // Starts the window; the tips window that a first start shows is closed.
  StartUpOutcome StartWithoutTips() {
    WriteSettingBool(settings, "ShowDoYouKnow", false);
    return window->StartUp(Places());
  }

  // "開  く ": picks a unit (and a similar problem, -1 = none) in the course
  // menu and presses OK.
  void OpenFromMenu(int unitRow, int similarRow = -1) {
    ModalHelper modal({[unitRow, similarRow](QWidget* menu) {
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(unitRow);
      if (similarRow >= 0) menu->findChild<QListWidget*>("lstRuidai")->setCurrentRow(similarRow);
      ClickButton(menu, "　Ｏ　Ｋ　");
    }});
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
  }

  // A missing widget ends the test here, with its name, instead of a crash
  // on the null pointer a few lines later.
  template <class T>
  T* Find(const char* objectName) const {
    T* found = window->findChild<T*>(QString::fromUtf8(objectName));
    if (found == nullptr) {
      ADD_FAILURE() << "no widget named " << objectName;
      throw std::runtime_error(std::string("missing widget ") + objectName);
    }
    return found;
  }

  QTemporaryDir root;
  QString course;
  QSettingsStore settings;
  MessageDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

}  // namespace tavolo::test
