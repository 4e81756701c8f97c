// The unsaved-changes question for widget tests: every question is recorded and answered from
// a queue (Discard, as the program did before it asked, when the queue is empty).
#pragma once

#include "ui/UnsavedChanges.h"

#include <deque>
#include <vector>

class ScriptedUnsavedChanges : public UnsavedChangesQuestion {
public:
  ScriptedUnsavedChanges() { InstallUnsavedChangesQuestion(this); }
  ~ScriptedUnsavedChanges() override { InstallUnsavedChangesQuestion(nullptr); }

  UnsavedChangesAnswer Ask(const QString& text) override {
    asked.push_back(text);
    if (answers.empty())
      return UnsavedChangesAnswer::Discard;
    const UnsavedChangesAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<UnsavedChangesAnswer> answers;
  std::vector<QString> asked;
};
