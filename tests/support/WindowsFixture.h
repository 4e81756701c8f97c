// The program's windows created in start-up order, shown offscreen, with scripted services, file
// dialogs and unsaved-changes question.
#pragma once

#include "ScriptedFileDialogs.h"
#include "ScriptedServices.h"
#include "ScriptedUnsavedChanges.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
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
    SetDecimalSeparator('.');
    MainForm = new TMainForm;
    CloseForm = new TCloseForm;
    DMPumpfield = new TDMPumpfield;
    FigureForm = new TFigureForm;
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  }

  void TearDown() override {
    DestroyStartupObjects();
    // A quit queued by a test that did not run the event loop must not end the next one's.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    SetDecimalSeparator('.');
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
  ScriptedUnsavedChanges unsaved;
};
