// The Help menu: the user guide in a window of its own, and the About box.
#include "ui/UMainForm.h"

#include "core/Services.h"
#include "ui/UiText.h"
#include "ui/UserGuide.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

void TMainForm::BuildHelp() {
  Help1 = MainMenu1->addMenu("&Help");
  Help1->setObjectName("Help1");
  UserGuide1 = Help1->addAction("&User guide");
  UserGuide1->setObjectName("UserGuide1");
  UserGuide1->setShortcut(QKeySequence(Qt::Key_F1));
  About1 = Help1->addAction("&About Pumpfield");
  About1->setObjectName("About1");
  Handle(UserGuide1, &QAction::triggered, &TMainForm::UserGuideExecute);
  Handle(About1, &QAction::triggered, &TMainForm::AboutExecute);
}

void TMainForm::UserGuideExecute() {
  OpenUserGuide(UserGuidePlaces(QCoreApplication::applicationDirPath()));
}

void TMainForm::OpenUserGuide(const QStringList& places) {
  const QString guide = FindUserGuide(places);
  if (guide.isEmpty()) {
    AppServices().ShowMessage(FromQ(GuideNotInstalledMessage(places)));
    return;
  }
  if (!GuideForm) {
    GuideForm = new TGuideForm(this);
    GuideForm->move(frameGeometry().center() - GuideForm->rect().center());
  }
  GuideForm->ShowGuide(guide);
}

void TMainForm::AboutExecute() {
  auto* box =
      new QMessageBox(QMessageBox::NoIcon, "About Pumpfield", AboutText(), QMessageBox::Ok, this);
  box->setObjectName("About_Dialog");
  box->setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}
