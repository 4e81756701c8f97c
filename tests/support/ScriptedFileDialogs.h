// File dialogs and the title-block question for widget tests: every dialog asked for is
// recorded and answered from a queue (cancelled when the queue is empty).
#pragma once

#include "ui/FileDialogs.h"
#include "ui/TitleBlockDialog.h"

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

// The title block asked before "PDF report": every question is recorded with the values it
// started from, and answered from a queue (cancelled when the queue is empty).
class ScriptedTitleBlocks {
public:
  ScriptedTitleBlocks() {
    InstallTitleBlockQuestion([this](const ReportTitleBlock& last) {
      asked.push_back(last);
      if (answers.empty())
        return std::optional<ReportTitleBlock>();
      std::optional<ReportTitleBlock> answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~ScriptedTitleBlocks() { InstallTitleBlockQuestion(nullptr); }

  std::deque<std::optional<ReportTitleBlock>> answers;
  std::vector<ReportTitleBlock> asked;
};
