#include "data/UDMPumpfield.h"

#include "core/Services.h"

TDMPumpfield* DMPumpfield = nullptr;

TDMPumpfield::TDMPumpfield() { DataModuleCreate(); }

void TDMPumpfield::DataModuleCreate() { InputFileName.clear(); }

void TDMPumpfield::AbortWithError(const std::string& Text) {
  AppServices().ShowMessage("A program error occurred." + Text);
  AppServices().RequestQuit();
}

bool TDMPumpfield::AskConfirmation(const std::string& Text) { return AppServices().AskYesNo(Text); }

std::string CouldNotOpenForReadingMessage(const std::string& path) {
  return "The file \"" + path + "\"could not be opened. It may be " +
         "in use by another program,  or the" + " programmer should incorporate more time.";
}

std::string CouldNotOpenDamagedMessage(const std::string& path) {
  return "The file \"" + path + "\"could not be opened. It may be " +
         "damaged or in use by another program,  or the" +
         " programmer should incorporate more time.";
}
