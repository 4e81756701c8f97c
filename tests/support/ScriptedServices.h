// Services for tests: records every progress line, message, question and pause, and answers
// questions from a queue (No when the queue is empty).
#pragma once

#include "core/Services.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedServices : public Services {
public:
  void AppendProgress(const std::string& line) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskYesNoExpectingYes(const std::string& text) override;
  void RequestQuit() override;
  void Pause(int milliseconds) override;
  void ShowPercentDone(int percent) override;

  std::vector<std::string> progress;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> questionsExpectingYes; // also in `questions`
  std::vector<int> pauses;
  std::vector<int> percents;
  std::deque<bool> answers;
  int quitRequests = 0;
};
