// The calculation on a thread of its own: the Cancel button, the progress memo's place during a
// run, and the input held back meanwhile.
#include "ui/UMainForm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>

namespace {
// Below the fields and left of the buttons: clear of the file and title fields, which the
// memo's place at rest covers.
const QRect kMemoPlaceDuringRun(32, 424, 177, 64);
const char* const kRunStatus = "Calculating ... \"Cancel\" or Escape stops the calculation.";
} // namespace

void TMainForm::BuildRunCancel() {
  Cancel_Button = NewButton(Input_TabSheet, "Cancel_Button", "Cancel", QRect(264, 463, 88, 25));
  Cancel_Button->setFont(PixelFont("Courier New", 16, true));
  // A click leaves the focus where it is: a field losing it would be checked mid-run.
  Cancel_Button->setFocusPolicy(Qt::NoFocus);
  Cancel_Button->setToolTip("Stops the calculation; the previous output stays as it was");
  Cancel_Button->hide();
  connect(Cancel_Button, &QPushButton::clicked, this, [this] { CancelRunClick(); });
}

void TMainForm::CancelRunClick() {
  if (!RunGoesOn())
    return;
  backgroundRun_.Cancel();
  Cancel_Button->setEnabled(false);
  ShowStatus("Stopping the calculation ...");
}

void TMainForm::RunInBackground(const std::function<void()>& work) {
  class DuringRun {
  public:
    explicit DuringRun(TMainForm& form)
        : form_(form), memoPlace_(form.WaitMemo->geometry()), statusBefore_(form.StatusText()),
          heldBack_(&form, form.Cancel_Button, [&form] { form.CancelRunClick(); }) {
      form.engine.RunProgress.cancel = &form.backgroundRun_.CancelFlag();
      form.WaitMemo->setGeometry(kMemoPlaceDuringRun);
      form.Cancel_Button->setEnabled(true);
      form.Cancel_Button->show();
      form.Cancel_Button->raise();
      form.ShowStatus(kRunStatus);
    }
    ~DuringRun() {
      form_.Cancel_Button->hide();
      form_.WaitMemo->setGeometry(memoPlace_);
      form_.engine.RunProgress.cancel = nullptr;
      // A sheet the run brought to the front has put its own text there.
      if (form_.StatusText() == kRunStatus)
        form_.ShowStatus(statusBefore_);
      if (form_.closeAfterRun_)
        QMetaObject::invokeMethod(&form_, &QWidget::close, Qt::QueuedConnection);
    }
    DuringRun(const DuringRun&) = delete;
    DuringRun& operator=(const DuringRun&) = delete;

  private:
    TMainForm& form_;
    QRect memoPlace_;
    QString statusBefore_;
    InputHeldBack heldBack_;
  };

  closeAfterRun_ = false;
  const DuringRun during(*this);
  backgroundRun_.Run(work);
}
