// The desktop program.
#include "core/TextFile.h"
#include "core/Version.h"
#include "ui/PumpfieldApplication.h"
#include "ui/QtServices.h"
#include "ui/UCloseForm.h"
#include "ui/UFigureForm.h"
#include "ui/UMainForm.h"

#include <QIcon>
#include <QTimer>

#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>

namespace {
constexpr int kExitUsage = 64;
constexpr int kExitInternalError = 70;

const char kHelp[] = "Usage: pumpfield [FILE]\n"
                     "Subsurface drainage by pumped wells: the desktop program.\n"
                     "\n"
                     "FILE, when given, opens as if chosen in the window: an input file on the\n"
                     "Input sheet, an output report on the Output sheet, a graph bitmap on the\n"
                     "Graphics sheet. The kind is told by the file's content.\n"
                     "\n"
                     "  -h, --help  show this help and exit\n"
                     "  --version   show the version and exit\n"
                     "\n"
                     "The toolkit's own options, such as -platform NAME, are accepted as well.\n"
                     "Runs without the window: pumpfield-cli --help.\n";

// Answered before the application object exists, so that they work without a display.
std::optional<int> AnswerInformationOption(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::cout << kHelp;
      return 0;
    }
    if (argument == "--version") {
      std::cout << "pumpfield " << kPumpfieldVersion << '\n';
      return 0;
    }
  }
  return std::nullopt;
}

// What is left once the toolkit has taken its own options may be one FILE, nothing else.
bool ArgumentsAccepted(const QStringList& arguments) {
  int files = 0;
  for (const QString& argument : arguments.mid(1)) {
    if (argument.startsWith(QLatin1Char('-'))) {
      std::cerr << "pumpfield: unknown option \"" << argument.toStdString() << "\"\n";
      return false;
    }
    if (++files > 1) {
      std::cerr << "pumpfield: only one FILE can be given\n";
      return false;
    }
  }
  return true;
}

int Main(int argc, char* argv[]) {
  if (const std::optional<int> status = AnswerInformationOption(argc, argv))
    return *status;
  PumpfieldApplication application(argc, argv);
  if (!ArgumentsAccepted(QApplication::arguments())) {
    std::cerr << kHelp;
    return kExitUsage;
  }
  QApplication::setApplicationName("Subsurface drainage by pumped wells");
  QApplication::setApplicationVersion(kPumpfieldVersion);
  QGuiApplication::setDesktopFileName("org.pumpfield.Pumpfield");
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/%1x%1/apps/org.pumpfield.Pumpfield.png").arg(size));
  QApplication::setWindowIcon(icon);

  MainForm = new TMainForm;
  QtServices services(MainForm->WaitMemo);
  InstallServices(&services);
  CloseForm = new TCloseForm;
  FigureForm = new TFigureForm;

  MainForm->RestoreDialogFolders();
  MainForm->show();
  // A file named on the command line opens once the window is up, as if chosen in its dialog.
  if (QApplication::arguments().size() > 1) {
    const QString file = QApplication::arguments().at(1);
    QTimer::singleShot(0, MainForm, [file] { RunGuarded([file] { MainForm->OpenFile(file); }); });
  }
  const int status = application.exec();

  DestroyStartupObjects();
  InstallServices(nullptr);
  return status;
}
} // namespace

// Errors in event handlers are shown by the application object; this catches what escapes
// outside them (start-up, shut-down), so that the program ends with a message, not an abort.
int main(int argc, char* argv[]) {
  RemoveUnfinishedFilesOnSignals();
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "pumpfield: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "pumpfield: " << error.what() << '\n';
  } catch (...) {
    std::cerr << "pumpfield: an unknown error occurred\n";
  }
  return kExitInternalError;
}
