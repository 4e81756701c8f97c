// The question asked before edits of the Input sheet would be lost, behind a seam: the desktop
// program asks with a message box, widget tests answer from a script.
#pragma once

#include <QString>
#include <array>

enum class UnsavedChangesAnswer { Save, Discard, Cancel };

class UnsavedChangesQuestion {
public:
  virtual ~UnsavedChangesQuestion() = default;
  // Asks `text` in a box titled "Unsaved changes" with the buttons Save, Discard and Cancel.
  virtual UnsavedChangesAnswer Ask(const QString& text) = 0;
};

// The implementation in force (a message box until another is installed); not owned.
UnsavedChangesQuestion& AppUnsavedChangesQuestion();
void InstallUnsavedChangesQuestion(UnsavedChangesQuestion* question);

// What the Input sheet holds: the titles, the aim and the texts of the 14 fields. Two contents
// are equal when their fields hold the same numbers, written with a point or a comma.
struct InputSheetContent {
  QString title1, title2;
  int aim = 0;
  std::array<QString, 14> fields;

  bool operator==(const InputSheetContent& other) const;
};
