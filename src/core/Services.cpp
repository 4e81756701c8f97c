#include "core/Services.h"

namespace {
class SilentServices final : public Services {
public:
  void AppendProgress(const std::string&) override {}
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void RequestQuit() override {}
  void Pause(int) override {}
};

SilentServices silent;
Services* installed = &silent;
} // namespace

Services& AppServices() { return *installed; }

std::string PercentDoneLine(int percent) { return " Done " + std::to_string(percent) + "% ....."; }

void InstallServices(Services* services) { installed = services ? services : &silent; }
