#include "data/UDMPumpfield.h"

#include "core/Services.h"

TDMPumpfield::TDMPumpfield(Services* services) : services(services) { DataModuleCreate(); }

void TDMPumpfield::DataModuleCreate() { InputFileName.clear(); }

void TDMPumpfield::AbortWithError(const std::string& Text) {
  if (!services)
    return;
  services->ShowMessage(kProgramErrorPrefix + Text);
  services->RequestQuit();
}

bool TDMPumpfield::AskConfirmation(const std::string& Text) {
  return services && services->AskYesNo(Text);
}

void TDMPumpfield::ShowMessage(const std::string& Text) {
  if (services)
    services->ShowMessage(Text);
}

std::string CouldNotOpenForReadingMessage(const std::string& path) {
  return "The file \"" + path + "\"could not be opened. It may be " +
         "in use by another program,  or the" + " programmer should incorporate more time.";
}

std::string CouldNotOpenDamagedMessage(const std::string& path) {
  return "The file \"" + path + "\"could not be opened. It may be " +
         "damaged or in use by another program,  or the" +
         " programmer should incorporate more time.";
}
