#pragma once
// A main window on a small course in a temporary folder, with its own
// settings files, data and home folders: the desktop program as a user would
// start it, without touching the real user's files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

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

  template <class T>
  T* Find(const char* objectName) const {
    T* found = window->findChild<T*>(QString::fromUtf8(objectName));
    EXPECT_NE(found, nullptr) << objectName;
    return found;
  }

  QTemporaryDir root;
  QString course;
  QSettingsStore settings;
  MessageDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

}  // namespace tavolo::test
