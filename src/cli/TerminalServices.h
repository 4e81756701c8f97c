// Services of the command-line runner: progress lines and messages go to the terminal,
// questions are answered No, pauses are skipped. Installed for the lifetime of the object.
#pragma once

#include "core/Services.h"

#include <ostream>
#include <string>

class TerminalServices final : public Services {
public:
  explicit TerminalServices(std::ostream& out) : out_(out), previous_(&AppServices()) {
    InstallServices(this);
  }
  ~TerminalServices() override { InstallServices(previous_); }
  void AppendProgress(const std::string& line) override { out_ << line << '\n' << std::flush; }
  void ShowMessage(const std::string& text) override { out_ << text << '\n' << std::flush; }
  bool AskYesNo(const std::string& text) override {
    out_ << text << " (No)\n";
    return false;
  }
  void RequestQuit() override { quitRequested = true; }
  void Pause(int) override {}

  bool quitRequested = false;

private:
  std::ostream& out_;
  Services* previous_;
};
