// File dialogs for widget tests: every dialog asked for is recorded and answered from a queue
// (cancelled when the queue is empty).
#pragma once

#include "ui/FileDialogs.h"

#include <deque>
#include <vector>

class ScriptedFileDialogs : public FileDialogs {
public:
  ScriptedFileDialogs() { InstallFileDialogs(this); }
  ~ScriptedFileDialogs() override { InstallFileDialogs(nullptr); }

  std::optional<QString> Run(const FileDialogSetup& dialog) override {
    asked.push_back(dialog);
    if (answers.empty())
      return std::nullopt;
    std::optional<QString> answer;
    answer.swap(answers.front());
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<QString>> answers;
  std::vector<FileDialogSetup> asked;
};
