// The program's windows created in start-up order, shown offscreen, with scripted services, file
// dialogs and unsaved-changes question, and a desktop whose decimal separator is the point.
#pragma once

#include "ScriptedFileDialogs.h"
#include "ScriptedServices.h"
#include "ScriptedUnsavedChanges.h"
#include "data/UDMPumpfield.h"
#include "ui/QtServices.h"
#include "ui/UCloseForm.h"
#include "ui/UFigureForm.h"
#include "ui/UMainForm.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

class WindowsTest : public ::testing::Test {
protected:
  void SetUp() override {
    InstallServices(&services);
    MainForm = new TMainForm;
    MainForm->State.DecimalSeparator = MainForm->State.StartupDecimalSeparator = '.';
    DMPumpfield = MainForm->DMPumpfield;
    CloseForm = new TCloseForm;
    FigureForm = new TFigureForm;
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  }

  void TearDown() override {
    DestroyStartupObjects();
    // A quit queued by a test that did not run the event loop must not end the next one's.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    InstallServices(nullptr);
  }

  // Runs the event loop; true when something ended it within `milliseconds`.
  static bool EventLoopEnds(int milliseconds = 3000) {
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      timedOut = true;
      QCoreApplication::exit(1);
    });
    guard.start(milliseconds);
    QCoreApplication::exec();
    return !timedOut;
  }

  ScriptedServices services;
  ScriptedFileDialogs dialogs;
  ScriptedTitleBlocks titleBlocks;
  ScriptedUnsavedChanges unsaved;
  TDMPumpfield* DMPumpfield = nullptr; // the main window's
};
