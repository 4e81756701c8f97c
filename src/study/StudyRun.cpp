#include "study/StudyRun.h"

#include "calc/CalcFiles.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// Keeps the messages of a run instead of showing them; no progress lines, no questions.
class CollectedMessages final : public Services {
public:
  CollectedMessages() : previous_(&AppServices()) { InstallServices(this); }
  ~CollectedMessages() override { InstallServices(previous_); }
  void AppendProgress(const std::string&) override {}
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  bool AskYesNo(const std::string&) override { return false; }
  void RequestQuit() override {}
  void Pause(int) override {}

  std::vector<std::string> shown;

private:
  Services* previous_;
};
} // namespace

PrivateFolder::PrivateFolder() {
  std::error_code error;
  std::string pattern = (fs::temp_directory_path(error) / "pumpfield-XXXXXX").string();
  if (error || !::mkdtemp(pattern.data()))
    throw InputOutputError("No private folder could be made for the runs in \"" + pattern + "\"");
  path_ = ExpandFileName(pattern);
}

PrivateFolder::~PrivateFolder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

RunRecord RunInFolder(const std::string& inputName, const std::string& folder) {
  const std::string previous = GetCurrentDir();
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !SetCurrentDir(folder))
    throw InputOutputError("The folder \"" + folder + "\" could not be made: " + error.message());
  CollectedMessages messages;
  const auto start = std::chrono::steady_clock::now();
  const RunOutcome outcome = RunInputFile(inputName);
  RunRecord record = RecordOfRun(outcome, kErrorListName, messages.shown);
  record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  SetCurrentDir(previous);
  fs::remove_all(folder, error);
  return record;
}
