// The main window on its Input sheet in a temporary working folder, driven as a user would:
// typing into fields and leaving them with Tab, choosing an aim, opening and saving files
// through the scripted dialogs.
#pragma once

#include "TempDir.h"
#include "WindowsFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include <string>
#include <vector>

class InputSheetTest : public WindowsTest {
protected:
  void SetUp() override {
    WindowsTest::SetUp();
    MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
    MainForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  }

  static QLineEdit* Field(int number) { return MainForm->TMaskEdits[size_t(number - 1)]; }
  static QLabel* Label(int number) { return MainForm->Labels[size_t(number - 1)]; }

  // Types `text` over the field's contents; the field keeps the focus.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    if (text.isEmpty())
      QTest::keyClick(edit, Qt::Key_Delete);
    else
      QTest::keyClicks(edit, text);
  }
  // Types into field `number` and leaves it with Tab.
  static void Enter(int number, const QString& text) {
    Type(Field(number), text);
    QTest::keyClick(Field(number), Qt::Key_Tab);
  }
  // Enters the values of fields 1, 2, ... in order.
  static void EnterFields(const std::vector<QString>& texts) {
    for (size_t i = 0; i < texts.size(); ++i)
      Enter(int(i) + 1, texts[i]);
  }

  // The user picks an item of the aim box.
  static void ChooseAim(int index) {
    MainForm->CalcAim_Combobox->setCurrentIndex(index);
    emit MainForm->CalcAim_Combobox->activated(index);
  }

  void Open(const std::string& path) {
    dialogs.answers.push_back(QString::fromStdString(path));
    MainForm->Fileopen_Button->click();
  }

  // Saves through the menu item (available before the button is) with the dialog answers
  // `paths` and the questions answered by `answers`.
  void Save(const std::vector<std::string>& paths, const std::vector<bool>& answers) {
    for (const std::string& path : paths)
      dialogs.answers.push_back(QString::fromStdString(path));
    for (bool answer : answers)
      said->answers.push_back(answer);
    MainForm->InputSave1->trigger();
  }

  // An input file as the data module writes it: titles, file-name line, code, numbers.
  std::string WriteInput(const std::string& name, const std::string& code,
                         const std::string& numbers) {
    const std::string path = dir.file(name);
    WriteFileBytes(path, "First title\r\nSecond title\r\nFile Name: " + path + "\r\n" + code +
                             "\r\n" + numbers + "\r\n");
    return path;
  }

  TempDir dir;
  ScriptedServices* said = &services; // the services in force
};

// A click on `widget` that arrives once the event loop runs (during a run, say).
inline void QueueClick(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(type, centre, widget->mapToGlobal(centre),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}
