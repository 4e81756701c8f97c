// The desktop program.
#include "GraphDrawing.h"
#include "PumpfieldApplication.h"
#include "QtServices.h"
#include "TextFormat.h"
#include "UCloseForm.h"
#include "UDMPumpfield.h"
#include "UFigureForm.h"
#include "UMainForm.h"

int main(int argc, char* argv[]) {
  PumpfieldApplication application(argc, argv);
  QApplication::setApplicationName("Subsurface drainage by pumped wells");
  SetDecimalSeparator(SystemDecimalSeparator());

  MainForm = new TMainForm;
  QtServices services(MainForm->WaitMemo);
  InstallServices(&services);
  CloseForm = new TCloseForm;
  DMPumpfield = new TDMPumpfield;
  FigureForm = new TFigureForm;

  MainForm->show();
  const int status = application.exec();

  DestroyStartupObjects();
  InstallServices(nullptr);
  return status;
}
