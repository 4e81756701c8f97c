#include "ScriptedServices.h"

void ScriptedServices::AppendProgress(const std::string& line) { progress.push_back(line); }
void ScriptedServices::ShowMessage(const std::string& text) { messages.push_back(text); }

bool ScriptedServices::AskYesNo(const std::string& text) {
  questions.push_back(text);
  if (answers.empty())
    return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool ScriptedServices::AskYesNoExpectingYes(const std::string& text) {
  questionsExpectingYes.push_back(text);
  return AskYesNo(text);
}

void ScriptedServices::RequestQuit() { ++quitRequests; }
void ScriptedServices::Pause(int milliseconds) { pauses.push_back(milliseconds); }
void ScriptedServices::ShowPercentDone(int percent) { percents.push_back(percent); }
