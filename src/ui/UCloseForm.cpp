#include "ui/UCloseForm.h"

#include "ui/PumpfieldApplication.h"
#include "ui/QtServices.h"
#include "ui/UMainForm.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

TCloseForm* CloseForm = nullptr;

TCloseForm::TCloseForm(QWidget* parent) : TBaseForm(parent) {
  setObjectName("CloseForm");
  setWindowTitle("Pumpfield exit");
  auto* client = new QWidget(this);
  client->setObjectName("CloseFormClient");
  setCentralWidget(client);
  resize(287, 251);
  move(241, 172);

  Finish_MemoMemo = new QPlainTextEdit(client);
  Finish_MemoMemo->setObjectName("Finish_MemoMemo");
  Finish_MemoMemo->setGeometry(32, 32, 201, 113);
  Finish_MemoMemo->setReadOnly(true);
  Finish_MemoMemo->setFocusPolicy(Qt::NoFocus); // the focus goes to Finish: Enter ends
  Finish_MemoMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Finish_MemoMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Finish_MemoMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Finish_MemoMemo->setPlainText(QStringList{"", "  Thank you for using Pumpfield.", "",
                                            "  Quorvath", "  pumpfield@example.org",
                                            "  https://www.example.org", "  "}
                                    .join('\n'));

  Finish_Button = NewButton(client, "Finish_Button", "Finish", QRect(176, 160, 57, 25));
  connect(Finish_Button, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { Finish_ButtonClick(); }); });
  auto* back = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(back, &QShortcut::activated, this, &TCloseForm::ReturnToProgram);
}

void TCloseForm::ShowInFront() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TCloseForm::ReturnToProgram() {
  hide();
  if (MainForm) {
    MainForm->raise();
    MainForm->activateWindow();
  }
}

bool TCloseForm::MayEnd() {
  bool settled = false;
  RunGuarded([&settled] {
    settled = !MainForm || MainForm->SettleUnsavedChanges(TMainForm::UnsavedChangesReason::Quit);
  });
  if (!settled)
    ReturnToProgram();
  return settled;
}

void TCloseForm::FormShow() { ShowStatus("Click on Finish button to end program."); }

void TCloseForm::Finish_ButtonClick() {
  if (MayEnd())
    TerminateApplication();
}

void TCloseForm::FormClose() { TerminateApplication(); }

void TCloseForm::showEvent(QShowEvent* event) {
  TBaseForm::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TCloseForm::closeEvent(QCloseEvent* event) {
  if (!MayEnd()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}
