#include "ui/FileDialogs.h"

#include "ui/Settings.h"
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
QtFileDialogs qtDialogs;
FileDialogs* installed = &qtDialogs;
} // namespace

FileDialogs& AppFileDialogs() { return *installed; }
void InstallFileDialogs(FileDialogs* dialogs) { installed = dialogs ? dialogs : &qtDialogs; }

QString RememberedFolderKey(const FileDialogSetup& dialog) { return "folders/" + dialog.name; }

QStringList QtNameFilters(const QString& filter) {
  QStringList result;
  const QStringList parts = filter.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    if (description.endsWith("(" + pattern + ")"))
      result << description;
    else
      result << description + " (" + QString(pattern).replace(';', ' ') + ")";
  }
  return result;
}

std::optional<QString> QtFileDialogs::Run(const FileDialogSetup& dialog) {
  QFileDialog box(QApplication::activeWindow());
  box.setObjectName(dialog.name);
  box.setOption(QFileDialog::DontUseNativeDialog);
  box.setNameFilters(QtNameFilters(dialog.filter));
  box.setDefaultSuffix(dialog.defaultExtension);
  box.setDirectory(dialog.initialFolder.isEmpty() ? QDir::currentPath() : dialog.initialFolder);
  if (!dialog.initialName.isEmpty())
    box.selectFile(dialog.initialName);
  box.setFileMode(QFileDialog::AnyFile);
  if (dialog.kind == FileDialogSetup::Kind::Save) {
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    box.setAcceptMode(QFileDialog::AcceptOpen);
  }
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
    return std::nullopt;
  return box.selectedFiles().constFirst();
}

FileDialogSetup StartingAtFile(FileDialogSetup dialog, const QString& current) {
  if (current.isEmpty())
    return dialog;
  const QFileInfo file(current);
  if (file.absoluteDir().exists())
    dialog.initialFolder = file.absolutePath();
  dialog.initialName = file.completeBaseName() + "." + dialog.defaultExtension;
  return dialog;
}

std::optional<QString> RunFileDialog(const FileDialogSetup& dialog) {
  std::optional<QString> chosen = AppFileDialogs().Run(dialog);
  if (chosen && !chosen->isEmpty()) {
    const QString folder = QFileInfo(*chosen).absolutePath();
    if (QFileInfo(folder).isDir()) {
      QDir::setCurrent(folder);
      ProgramSettings().setValue(RememberedFolderKey(dialog), folder);
    }
  }
  return chosen;
}
