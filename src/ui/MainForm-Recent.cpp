// What the window remembers from one session to the next (the dialogs' last folders and the
// recently used files), and opening a file named on the command line or in the recent files.
#include "ui/UMainForm.h"

#include "core/Services.h"
#include "core/TextFile.h"
#include "data/FileKinds.h"
#include "data/UDMPumpfield.h"
#include "ui/UiText.h"

#include "ui/Settings.h"
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>

namespace {
constexpr qsizetype kMaxRecentFiles = 8;
const char* const kRecentFilesKey = "recentFiles";

QStringList RecentFiles() { return ProgramSettings().value(kRecentFilesKey).toStringList(); }
void StoreRecentFiles(const QStringList& files) {
  ProgramSettings().setValue(kRecentFilesKey, files);
}

// Answers the next file dialog with one path, as if the user had chosen it, then gives the
// dialogs back to the implementation that was in force.
class ChosenFile final : public FileDialogs {
public:
  explicit ChosenFile(const QString& path) : path_(path), previous_(AppFileDialogs()) {
    InstallFileDialogs(this);
  }
  ~ChosenFile() override { InstallFileDialogs(&previous_); }
  std::optional<QString> Run(const FileDialogSetup& dialog) override {
    InstallFileDialogs(&previous_);
    return answered_++ == 0 ? std::optional<QString>(path_) : previous_.Run(dialog);
  }

private:
  QString path_;
  FileDialogs& previous_;
  int answered_ = 0;
};
} // namespace

void TMainForm::BuildRecentFiles() {
  File1->addSeparator();
  RecentFiles1 = File1->addMenu("&Recent files");
  RecentFiles1->setObjectName("RecentFiles1");
  connect(RecentFiles1, &QMenu::aboutToShow, this, [this] { FillRecentFilesMenu(); });
}

void TMainForm::FillRecentFilesMenu() {
  RecentFiles1->clear();
  const QStringList files = RecentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* entry = RecentFiles1->addAction(QString("&%1  %2").arg(i + 1).arg(path));
    entry->setObjectName(QString("RecentFile%1").arg(i + 1));
    connect(entry, &QAction::triggered, this,
            [this, path] { RunGuarded([this, path] { OpenRecentFile(path); }); });
  }
  if (files.isEmpty())
    RecentFiles1->addAction("(none yet)")->setEnabled(false);
}

void TMainForm::RememberRecentFile(const std::string& path) {
  const QString file = QFileInfo(ToQ(path)).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(file);
  files.prepend(file);
  StoreRecentFiles(files.mid(0, kMaxRecentFiles));
}

void TMainForm::OpenRecentFile(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    StoreRecentFiles(files);
    AppServices().ShowMessage("The file \"" + FromQ(path) +
                              "\" no longer exists; it was taken off the recent files.");
    return;
  }
  OpenFile(path);
}

void TMainForm::OpenFile(const QString& path) {
  void (TMainForm::*open)() = nullptr;
  switch (DetectFileKind(FromQ(path))) {
  case FileKind::InputFile:
    // Asked before the file stands in for the open dialog: saving must get a dialog of its own.
    if (!SettleUnsavedChanges(UnsavedChangesReason::OpenInput))
      return;
    open = &TMainForm::InputOpenExecute;
    break;
  case FileKind::Report:
    open = &TMainForm::OutputOpenExecute;
    break;
  case FileKind::Bitmap:
    open = &TMainForm::GraphOpenExecute;
    break;
  case FileKind::Other:
    if (const TextReader file(FromQ(path)); !file.opened()) {
      AppServices().ShowMessage(file.FailureMessage(CouldNotOpenForReadingMessage(FromQ(path))));
      return;
    }
    AppServices().ShowMessage("The file \"" + FromQ(path) +
                              "\" is not an input file, an output report or a graph bitmap.");
    return;
  }
  ChosenFile chosen(QFileInfo(path).absoluteFilePath());
  const QScopedValueRollback settled(unsavedChangesSettled_, true);
  (this->*open)();
}

void TMainForm::RestoreDialogFolders() {
  for (FileDialogSetup* dialog :
       {&InputOpen_Dialog, &InputSave_Dialog, &OutputOpen_Dialog, &GraphOpen_Dialog,
        &GraphSave_Dialog, &TablesSave_Dialog, &ReportSave_Dialog, &GraphExport_Dialog}) {
    const QString folder = ProgramSettings().value(RememberedFolderKey(*dialog)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
      dialog->initialFolder = folder;
  }
}
