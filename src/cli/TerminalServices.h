// Services of the command-line runner: progress lines and messages go to the terminal,
// questions are answered No, pauses are skipped.
#pragma once

#include "core/Services.h"
#include "data/UDMPumpfield.h"

#include <iostream>
#include <ostream>
#include <string>
#include <string_view>
#include <unistd.h>

// Whether `stream` is the program's standard output or error and that is a terminal.
inline bool IsTerminal(const std::ostream& stream) {
  return (&stream == &std::cerr && ::isatty(STDERR_FILENO)) ||
         (&stream == &std::cout && ::isatty(STDOUT_FILENO));
}

class TerminalServices final : public Services {
public:
  // `percent`, when given, shows the percent done of a long run on one line that is rewritten.
  explicit TerminalServices(std::ostream& out, std::ostream* percent = nullptr)
      : out_(out), percent_(percent) {}
  ~TerminalServices() override { ErasePercent(); }
  void AppendProgress(const std::string& line) override {
    ErasePercent();
    out_ << line << '\n' << std::flush;
  }
  // What the runner reads is the user's file: a damaged one is no fault of the program, and its
  // message goes without the program-error prefix.
  void ShowMessage(const std::string& text) override {
    ErasePercent();
    const std::string_view prefix = kProgramErrorPrefix;
    out_ << (text.starts_with(prefix) ? text.substr(prefix.size()) : text) << '\n' << std::flush;
  }
  bool AskYesNo(const std::string& text) override {
    out_ << text << " (No)\n";
    return false;
  }
  void RequestQuit() override { quitRequested = true; }
  void Pause(int) override {}
  void ShowPercentDone(int percent) override {
    if (!percent_)
      return;
    *percent_ << '\r' << PercentDoneLine(percent) << std::flush;
    percentShown_ = true;
  }

  bool quitRequested = false;

private:
  // Clears the percent line before other text is written; the next percent writes it again.
  void ErasePercent() {
    if (!percentShown_)
      return;
    *percent_ << "\r\033[K" << std::flush;
    percentShown_ = false;
  }

  std::ostream& out_;
  std::ostream* percent_;
  bool percentShown_ = false;
};
