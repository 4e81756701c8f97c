// The main window: five sheets, the main menu, the action list and the file dialogs. The
// handlers of each sheet live in their own source file (MainForm-Input.cpp, ...).
#pragma once

#include "calc/Engine.h"
#include "export/CalculationReport.h"
#include "graph/UWellUtils.h"
#include "study/Design.h"
#include "study/Optimise.h"
#include "ui/BackgroundRun.h"
#include "ui/FileDialogs.h"
#include "ui/PumpfieldApplication.h"
#include "ui/QtServices.h"
#include "ui/UBaseForm.h"
#include "ui/UnsavedChanges.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QWidget;
class TCheckForm;
class TGuideForm;

// What the main window remembers from one event to the next.
struct MainFormState {
  bool OutputShown = false;   // Output_Memo holds an output report
  bool InputLoaded = false;   // an input file has been opened since start-up
  bool RunHadErrors = false;  // the latest run stopped at its check step
  std::string FailedRunInput; // that run's input file, until its error list has been shown
  QString StartDirectory;     // the working directory at start-up
  int16_t AimIndex = 0;       // the aim chosen in CalcAim_Combobox
  int16_t LoadedAimIndex = 0; // the aim whose layout the fields hold
  char StartupDecimalSeparator = '.';
  // The decimal separator in force for the numbers the window shows and reads: the desktop's at
  // start-up, switched briefly by StringToFloat and set to '.' by a save.
  char DecimalSeparator = '.';
  // Values of the opened file for the fields that a change of aim moves or hides.
  QString StashR, StashDm, StashD2, StashDw, StashDb, StashE, StashW, StashKa, StashS, StashSa,
      StashSb;
  bool SaveCancelled = false; // the user cancelled the save dialog
  QString InputFileTitle;     // the chosen file's name, later its full path with ".inp"
};

class TMainForm : public TBaseForm {
  Q_OBJECT
public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Opens an input file, a report or a graph bitmap, told by its content, as if it had been
  // chosen in the dialog of "InputOpen", "Open output" or "Open graph ".
  void OpenFile(const QString& path);
  // Puts `path` at the top of the recently used files (at most eight), kept between sessions.
  void RememberRecentFile(const std::string& path);
  // The dialogs start in the folders where they were last used, in this or an earlier session.
  void RestoreDialogFolders();
  QMenu* RecentFiles1 = nullptr;

  // Makes `folder` the initial folder of the input and output dialogs.
  void SetDialogFolders(const QString& folder);
  // Runs `dialog` and puts the chosen name into the data module's InputFileName. False, after
  // `cancelMessage` or the does-not-exist message, when nothing usable was chosen.
  bool ChooseFileAsInputFileName(const FileDialogSetup& dialog, const char* cancelMessage);
  // Window placement of start-up for a screen `screenWidth` pixels wide.
  void PlaceWindow(int screenWidth);
  // Paints the window and its sheets at once, while a run holds the event loop (a repaint of
  // the window alone stops at the sheets' scroll area).
  void RepaintWhole();

  // Main window
  QTabWidget* PageControl1 = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* File1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* InputOpen1 = nullptr;
  QAction* InputSave1 = nullptr;
  QAction* OpenOutput1 = nullptr;
  QAction* GraphOpen1 = nullptr;
  QAction* ProgramExit = nullptr;
  QAction* Cut = nullptr;
  QAction* Copy = nullptr;
  QAction* Paste = nullptr;
  QAction* Delete = nullptr;

  // ActionList1: the menu items and buttons follow their action's caption and enabled state.
  QObject* ActionList1 = nullptr;
  QAction* InputOpen = nullptr;
  QAction* InputSave = nullptr;
  QAction* OutputOpen = nullptr;
  QAction* GraphOpen = nullptr;
  QAction* FileExit1 = nullptr;
  QAction* EditCut1 = nullptr;
  QAction* EditCopy1 = nullptr;
  QAction* EditPaste1 = nullptr;
  QAction* EditDelete1 = nullptr;

  FileDialogSetup InputOpen_Dialog;
  FileDialogSetup InputSave_Dialog;
  FileDialogSetup OutputOpen_Dialog;
  FileDialogSetup GraphOpen_Dialog;
  FileDialogSetup GraphSave_Dialog;

  // Intro sheet
  QWidget* Intro_Tabsheet = nullptr;
  QPlainTextEdit* Intro_Memo = nullptr;
  QLabel* LogoImage = nullptr;

  // Figure sheet
  QWidget* Figure_TabSheet = nullptr;
  QLabel* Figure_Image = nullptr;

  // Input sheet
  QWidget* Input_TabSheet = nullptr;
  QLabel* Filename_Label = nullptr;
  QLineEdit* FileName_Edit = nullptr;
  QLineEdit* Title1_Edit = nullptr;
  QLineEdit* Title2_Edit = nullptr;
  QComboBox* CalcAim_Combobox = nullptr;
  QPlainTextEdit* WaitMemo = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label15 = nullptr;
  std::array<QLabel*, 14> Labels{}; // Label1 .. Label14, by field number - 1
  std::array<QLineEdit*, 14> TMaskEdits{};
  QPushButton* FigureButton1 = nullptr;
  QPushButton* Filesave_Button = nullptr;
  QPushButton* Fileopen_Button = nullptr;

  // Output sheet
  QWidget* Output_TabSheet = nullptr;
  QPlainTextEdit* Output_Memo = nullptr;
  QPlainTextEdit* Symbols_Memo = nullptr;
  QPushButton* SeeOutput_Button = nullptr;
  QPushButton* Symbols_Button = nullptr;
  QPushButton* ViewGraphButton = nullptr;
  QPushButton* FigureButton2 = nullptr;

  // Graphics sheet
  QWidget* Graphics_TabSheet = nullptr;
  QLabel* GraphImage = nullptr;
  QLabel* PictureImage = nullptr;
  QPushButton* MakeGraphics_Button = nullptr;
  QPushButton* SaveGraphButton = nullptr;
  QPushButton* SeeGraphButton = nullptr;
  // The picture of GraphImage: null until the first drawing, then 623 x 465.
  QImage GraphBitmap;
  // Shows the print figure of the report in GraphImage in place of GraphBitmap; kept between
  // sessions, off at first.
  QCheckBox* PrintView_Checkbox = nullptr;

  // Exports (MainForm-Export.cpp): the Export menu after Edit, buttons on the Output and
  // Graphics sheets shown together with the report's and the graph's own buttons.
  QMenu* Export1 = nullptr;
  QAction* ExportTables1 = nullptr;
  QAction* CopyTables1 = nullptr;
  QAction* ExportReport1 = nullptr;
  QAction* ExportGraph1 = nullptr;
  QPushButton* ExportTables_Button = nullptr;
  QPushButton* CopyTables_Button = nullptr;
  QPushButton* ExportReport_Button = nullptr;
  QPushButton* ExportGraph_Button = nullptr;
  QComboBox* GraphScale_Combobox = nullptr; // size of an exported PNG: 1 to 4 times
  FileDialogSetup TablesSave_Dialog;
  FileDialogSetup ReportSave_Dialog;
  FileDialogSetup GraphExport_Dialog;

  // The independent check (MainForm-Check.cpp): a button right of the report on the Output
  // sheet, shown with the report's own buttons, and its window.
  QPushButton* Check_Button = nullptr;
  TCheckForm* CheckForm = nullptr; // made at the first check
  void Check_ButtonClick();

  MainFormState State;

  // The window's engine: its data module, the state of its runs and the run flags. Its services
  // are those installed for the windows.
  InstalledServices WindowServices;
  Engine engine{WindowServices};
  TDMPumpfield* const DMPumpfield = &engine.DMPumpfield;
  // The plot scale of the Graphics sheet's drawings.
  TPlotScale PlotScale;

  // Main window handlers
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void Intro_TabsheetShow();
  void Figure_TabSheetShow();
  void FigureButton1Click();
  void FigureButton2Click();

  // Input sheet handlers (MainForm-Input.cpp; saving and running in MainForm-SaveRun.cpp)
  void Input_TabSheetShow();
  void Input_TabSheetExit();
  void CalcAim_ComboboxChange();
  void MaskEdit1Exit(QLineEdit* field);
  void MaskEdit2Exit(QLineEdit* field);
  void InputOpenExecute();
  void InputSaveExecute();
  void RelabelFields();
  void FillFieldsForAim();
  void StashLoadedValues();
  // Tool tips and status-bar hints of the fields: the quantity its label names, its unit and
  // the values the checks before saving accept for the chosen aim (MainForm-Hints.cpp).
  void DescribeInputFields();
  // Save dialog and overwrite question; true when the chosen file may be written.
  bool AskInputFileName();

  // Output sheet handlers (MainForm-Output.cpp)
  void Output_TabSheetShow();
  void OutputOpenExecute();
  void Symbols_ButtonClick();
  void ForgetShownReport();

  // Graphics sheet handlers (MainForm-Graphics.cpp)
  void Graphics_TabSheetShow();
  void ViewGraphButtonClick();
  void MakeGraphics_ButtonClick();
  void SaveGraphButtonClick();
  void GraphOpenExecute();
  // Draws the report's graph; a rectangular-field report reloads its input file first unless
  // the caller has just done so.
  enum class InputReloaded { No, Yes };
  void DrawGraph(InputReloaded input = InputReloaded::No);
  // Shows PictureImage in place of the graph and its save button.
  void ShowOpenedPicture();
  void PrintView_CheckboxClick();
  // Puts the drawn graph, or with "Print view" the print figure, into GraphImage.
  void ShowGraph();

  // Export handlers (MainForm-Export.cpp)
  void ExportTablesExecute();
  void CopyTablesExecute();
  void ExportReportExecute();
  void ExportGraphExecute();

  // Help menu (MainForm-Help.cpp), after the other menus.
  QMenu* Help1 = nullptr;
  QAction* UserGuide1 = nullptr;
  QAction* About1 = nullptr;
  TGuideForm* GuideForm = nullptr; // made at the first showing of the guide
  void UserGuideExecute();
  // Shows the first of `places` that exists in the guide window; a message when none does.
  void OpenUserGuide(const QStringList& places);
  void AboutExecute();

  // The calculation runs on a thread of its own (MainForm-Background.cpp): "Cancel" below the
  // fields, shown during a run, and Escape stop it; the progress memo moves clear of the file
  // and title fields meanwhile.
  QPushButton* Cancel_Button = nullptr;
  void CancelRunClick();
  bool RunGoesOn() const { return backgroundRun_.Running(); }
  // Runs `work` off the window's thread while the window repaints and holds back the user's
  // input; returns when it has ended, raising its exception (RunCancelled after a cancel).
  void RunInBackground(const std::function<void()>& work);

  // Design sheet (MainForm-Design.cpp), after Graphics: a design under uncertainty of the saved
  // input file, and for a rectangular field the search for the cheapest well field, run in the
  // background with Cancel; a design's result goes into the PDF report.
  QWidget* Design_Sheet = nullptr;
  QTableWidget* Uncertain_Table = nullptr; // symbol, distribution, numbers
  QLineEdit* Samples_Edit = nullptr;
  QLineEdit* Seed_Edit = nullptr;
  QLineEdit* Reliability_Edit = nullptr;
  QLineEdit* RequiredDepth_Edit = nullptr; // rectangular field only
  // The cheapest well field (rectangular field only): the field, the range of the level in the
  // wells, the cost of a well, the energy price and the years it is paid for.
  QLineEdit* FieldLength_Edit = nullptr;
  QLineEdit* FieldWidth_Edit = nullptr;
  QLineEdit* WellLevelFrom_Edit = nullptr;
  QLineEdit* WellLevelTo_Edit = nullptr;
  QLineEdit* WellCost_Edit = nullptr;
  QLineEdit* EnergyPrice_Edit = nullptr;
  QLineEdit* Years_Edit = nullptr;
  std::vector<QWidget*> fieldOnlyWidgets_; // shown for a rectangular field only
  QPushButton* DesignRun_Button = nullptr;
  QPushButton* OptimiseRun_Button = nullptr;
  QPushButton* DesignCancel_Button = nullptr;
  QPushButton* DesignExport_Button = nullptr;
  QProgressBar* Design_ProgressBar = nullptr;
  QTableWidget* DesignResult_Table = nullptr;
  QLabel* DistributionChart_Image = nullptr;
  QLabel* TornadoChart_Image = nullptr;
  struct DesignOfWindow {
    DesignSummary summary;
    std::string title1;                 // of the input file
    std::string inputFile;              // that the design ran on
    std::vector<std::string> uncertain; // as "Kb2=uniform:6:10"
  };
  std::optional<DesignOfWindow> LastDesign; // the latest design that ran to its end
  struct StudyTableOfWindow {
    std::vector<CsvRow> rows; // the result table shown, its header first
    std::string inputFile;    // that the study ran on
  };
  std::optional<StudyTableOfWindow> ShownStudyTable; // what "Export CSV" saves
  void Design_SheetShow();
  void DesignRunClick();
  void OptimiseRunClick();
  void DesignExportClick();
  void ShowDesignResult();
  void ShowOptimiseResult(const OptimiseResult& result, const std::string& title1,
                          const std::string& inputFile);
  // The latest design, when it ran on the input file of the report shown.
  std::optional<ReportDesign> DesignForReport() const;
  bool DesignGoesOn() const { return designRun_.Running(); }
  void CancelDesign() { designRun_.Cancel(); }

  // Unsaved changes (MainForm-Unsaved.cpp): what the Input sheet holds, compared with what it
  // held when an input file was last opened or saved (or the program started).
  enum class UnsavedChangesReason { Quit, OpenInput };
  InputSheetContent InputContent() const;
  bool HasUnsavedChanges() const;
  void MarkInputSaved();
  // After a run with input errors, which deletes the file just saved.
  void MarkInputUnsaved();
  // With edits that would be lost, asks whether to save them first. True when the caller may go
  // on: nothing to lose, saved, or discarded; false when the user cancelled or the save failed.
  bool SettleUnsavedChanges(UnsavedChangesReason reason);

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  using FieldExitHandler = void (TMainForm::*)(QLineEdit*);

  // Runs `handler` on `signal` of `sender`, under the top-level error handler.
  template <class Sender, class Signal>
  void Handle(Sender* sender, Signal signal, void (TMainForm::*handler)()) {
    connect(sender, signal, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  }

  void BuildMenuAndActions();
  void BuildIntroSheet();
  void BuildFigureSheet();
  void BuildInputSheet();
  void BuildOutputSheet();
  void BuildGraphicsSheet();
  void BuildExports();
  void BuildCheck();
  void BuildRecentFiles();
  void BuildHelp();
  void BuildRunCancel();
  void BuildDesignSheet();
  // The settings the Design sheet asks for; nothing, after a message, when they are not valid.
  std::optional<DesignSettings> DesignSettingsOfSheet(const std::string& aimCode,
                                                      bool uncertainRequired);
  std::optional<OptimiseSettings> OptimiseSettingsOfSheet(const TDMPumpfield& base);
  // The saved input file loaded into `base`; false, after a message, when there is none or it
  // cannot be read.
  bool LoadDesignInput(TDMPumpfield& base);
  // Runs `work` (false when it stopped at a cancel) off the window's thread with the sheet's
  // Cancel button and Escape; true when it ran to its end. The window's messages and status
  // line tell the rest.
  bool RunOnDesignSheet(const char* running, const std::function<bool()>& work);
  void ShowResultTable(const std::vector<CsvRow>& rows, const std::vector<std::string>& hidden);
  // Files dropped anywhere on the window open as OpenFile opens them (MainForm-Drop.cpp).
  void AcceptFileDrops();
  void FillRecentFilesMenu();
  void OpenRecentFile(const QString& path);
  void CreateInputFields();
  void BindButton(QPushButton* button, QAction* action, bool useActionCaption);
  void RunSheetShowHandler(int index);
  void RunSheetExitHandler(int index);
  void RunEditAction(QAction* action);
  void UpdateEditActions();

  std::array<FieldExitHandler, 14> fieldExitHandlers_{};
  std::optional<InputSheetContent> savedContent_;
  std::optional<InputSheetContent> discardedContent_;
  bool saveWithoutRun_ = false;        // saving from the unsaved-changes question
  bool unsavedChangesSettled_ = false; // the question was answered for the file being opened
  QObject* exitKeyFilter_ = nullptr;
  QObject* fileDropFilter_ = nullptr;
  int currentSheet_ = -1;
  BackgroundRun backgroundRun_;
  BackgroundRun designRun_;
  bool closeAfterRun_ = false; // the window was closed during a run
};

// The windows of the program, created at start-up in this order: MainForm (with its engine and
// data module), CloseForm, FigureForm.
extern TMainForm* MainForm;

// Deletes the windows of start-up, the last created first.
void DestroyStartupObjects();
