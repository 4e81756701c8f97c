// File dialogs behind a seam: the window asks through RunFileDialog, the desktop program answers
// with QFileDialog, widget tests answer from a script.
#pragma once

#include <QString>
#include <optional>

struct FileDialogSetup {
  enum class Kind { Open, Save };
  QString name; // the dialog's objectName, e.g. "InputOpen_Dialog"
  Kind kind = Kind::Open;
  QString filter; // description and pattern separated by a bar: "Input files (*.inp)|*.inp"
  QString defaultExtension; // without the point: "inp"
  QString initialFolder;    // empty: the working directory
  QString initialName;      // the name the dialog suggests, without a folder; may be empty
};

// `dialog` as it starts for the file `current`: in its folder (while that exists), suggesting
// its name with the dialog's default extension. Unchanged when `current` is empty.
FileDialogSetup StartingAtFile(FileDialogSetup dialog, const QString& current);

class FileDialogs {
public:
  virtual ~FileDialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<QString> Run(const FileDialogSetup& dialog) = 0;
};

// QFileDialog (not the platform's native one). Open dialogs accept names of files that do not
// exist, so that the caller can say so; save dialogs leave the overwrite question to the caller.
class QtFileDialogs final : public FileDialogs {
public:
  std::optional<QString> Run(const FileDialogSetup& dialog) override;
};

// The implementation in force (the Qt one until another is installed); not owned.
FileDialogs& AppFileDialogs();
void InstallFileDialogs(FileDialogs* dialogs);

// Runs `dialog`; after a successful choice the chosen file's folder becomes the working
// directory, on which the error list and the dialogs' next start rely.
std::optional<QString> RunFileDialog(const FileDialogSetup& dialog);

// The settings key under which a dialog's last folder is kept between sessions.
QString RememberedFolderKey(const FileDialogSetup& dialog);

// "Input files (*.inp)|*.inp" as a QFileDialog name filter list.
QStringList QtNameFilters(const QString& filter);
