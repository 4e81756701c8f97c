#include "ui/UMainForm.h"

#include "graph/SystemDecimalSeparator.h"
#include "graph/UWellUtils.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "ui/JpegImage.h"
#include "ui/PumpfieldApplication.h"
#include "ui/QtServices.h"
#include "ui/UCloseForm.h"
#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>

TMainForm* MainForm = nullptr;

namespace {
// The designed client area; controls anchored to the right and bottom grow and shrink with the
// client area from their designed size.
constexpr QSize kDesignClientSize(708, 550);
// The top of a button that moves with the bottom of its sheet, at the designed size, and the
// left of one that stands right of the report and moves with the right edge too.
const char* const kDesignedTop = "designedTop";
const char* const kDesignedLeft = "designedLeft";

QAction* NewAction(QObject* owner, const char* name, const QString& caption,
                   const QKeySequence& shortcut, const QString& hint) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  action->setToolTip(ShortHint(hint));
  action->setStatusTip(LongHint(hint));
  action->setData(hint);
  return action;
}

bool IsCtrlX(const QKeyEvent* key) {
  return key->key() == Qt::Key_X && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// Edit fields claim Ctrl+X for cutting; in the main window the key ends the program instead,
// so the fields' claim is turned down before they see it.
class ExitKeyFilter : public QObject {
public:
  explicit ExitKeyFilter(QWidget* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->window() == window_ && IsCtrlX(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
      }
    }
    return false;
  }

private:
  QWidget* window_;
};
} // namespace

TMainForm::TMainForm(QWidget* parent) : TBaseForm(parent) {
  setObjectName("MainForm");
  setWindowTitle("Pumpfield, subsurface drainage by pumped wells");

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  // The sheets never get smaller than designed: on a screen too small for that they scroll.
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName("PageScrollArea");
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidgetResizable(true);
  scroller->setWidget(PageControl1);
  setCentralWidget(scroller);

  BuildMenuAndActions();
  BuildIntroSheet();
  BuildFigureSheet();
  BuildInputSheet();
  BuildOutputSheet();
  BuildGraphicsSheet();
  BuildDesignSheet();
  BuildExports();
  BuildCheck();
  BuildRecentFiles();
  BuildHelp();
  BuildRunCancel();

  PageControl1->setMinimumSize(kDesignClientSize - QSize(0, StatusBar1->height()));
  const QSize designed(kDesignClientSize.width(),
                       MainMenu1->sizeHint().height() + kDesignClientSize.height());
  setMinimumSize(designed);
  resize(designed);

  currentSheet_ = PageControl1->currentIndex();
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    const int previous = currentSheet_;
    currentSheet_ = index;
    RunGuarded([this, previous] { RunSheetExitHandler(previous); });
    RunGuarded([this, index] { RunSheetShowHandler(index); });
  });
  exitKeyFilter_ = new ExitKeyFilter(this);
  qApp->installEventFilter(exitKeyFilter_);
  AcceptFileDrops();

  FormCreate();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(exitKeyFilter_);
  qApp->removeEventFilter(fileDropFilter_);
  FormDestroy();
}

void TMainForm::BuildMenuAndActions() {
  ActionList1 = new QObject(this);
  ActionList1->setObjectName("ActionList1");
  InputOpen = NewAction(ActionList1, "InputOpen", "&InputOpen", QKeySequence("Ctrl+I"),
                        "Open an existing datafile");
  InputSave = NewAction(ActionList1, "InputSave", "Input&Save", QKeySequence(),
                        "Save the data into a datafile");
  OutputOpen = NewAction(ActionList1, "OutputOpen", "&OutputOpen", QKeySequence("Ctrl+O"),
                         "Open an output file");
  GraphOpen = NewAction(ActionList1, "GraphOpen", "&GraphOpen", QKeySequence("Ctrl+G"), "");
  FileExit1 = NewAction(ActionList1, "FileExit1", "ProgramE&xit", QKeySequence("Ctrl+X"),
                        "Exit|Quits the application");
  EditCut1 = NewAction(ActionList1, "EditCut1", "Cu&t", QKeySequence("Ctrl+X"),
                       "Cut|Cuts the selection and puts it on the Clipboard");
  EditCopy1 = NewAction(ActionList1, "EditCopy1", "&Copy", QKeySequence("Ctrl+C"),
                        "Copy|Copies the selection and puts it on the Clipboard");
  EditPaste1 = NewAction(ActionList1, "EditPaste1", "&Paste", QKeySequence("Ctrl+V"),
                         "Paste|Inserts Clipboard contents");
  EditDelete1 = NewAction(ActionList1, "EditDelete1", "&Delete", QKeySequence(Qt::Key_Delete),
                          "Delete|Erases the selection");

  Handle(InputOpen, &QAction::triggered, &TMainForm::InputOpenExecute);
  Handle(InputSave, &QAction::triggered, &TMainForm::InputSaveExecute);
  Handle(OutputOpen, &QAction::triggered, &TMainForm::OutputOpenExecute);
  Handle(GraphOpen, &QAction::triggered, &TMainForm::GraphOpenExecute);
  connect(FileExit1, &QAction::triggered, this, [this] { close(); });
  for (QAction* edit : {EditCut1, EditCopy1, EditPaste1, EditDelete1})
    connect(edit, &QAction::triggered, this, [this, edit] { RunEditAction(edit); });

  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName("MainMenu1");
  setMenuBar(MainMenu1);
  File1 = MainMenu1->addMenu("File");
  File1->setObjectName("File1");
  Edit1 = MainMenu1->addMenu("&Edit");
  Edit1->setObjectName("Edit1");
  File1->setToolTipsVisible(true);
  Edit1->setToolTipsVisible(true);

  // A menu item triggers its action and follows its caption and enabled state. The actions are
  // in no widget, so only the items' shortcuts are live.
  auto item = [this](QMenu* menu, const char* name, QAction* action, const QKeySequence& shortcut,
                     const QString& ownHint) {
    auto* entry = new QAction(action->text(), menu);
    entry->setObjectName(name);
    entry->setShortcut(shortcut);
    const QString hint = ownHint.isNull() ? action->data().toString() : ownHint;
    entry->setToolTip(ShortHint(hint));
    entry->setStatusTip(LongHint(hint));
    entry->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, entry, &QAction::setEnabled);
    connect(entry, &QAction::triggered, action, &QAction::trigger);
    menu->addAction(entry);
    return entry;
  };
  InputOpen1 = item(File1, "InputOpen1", InputOpen, InputOpen->shortcut(), QString());
  InputSave1 = item(File1, "InputSave1", InputSave, QKeySequence("Ctrl+S"), QString());
  OpenOutput1 = item(File1, "OpenOutput1", OutputOpen, OutputOpen->shortcut(), QString());
  GraphOpen1 = item(File1, "GraphOpen1", GraphOpen, GraphOpen->shortcut(), "Open a graphis file");
  ProgramExit =
      item(File1, "ProgramExit", FileExit1, FileExit1->shortcut(), "Exit|Quit the application");
  // Ctrl+X belongs to ProgramExit; a second live Ctrl+X would make both ambiguous, so Cut only
  // names the key in its caption.
  Cut = item(Edit1, "Cut", EditCut1, QKeySequence(), QString());
  Cut->setText(EditCut1->text() + "\tCtrl+X");
  Copy = item(Edit1, "Copy", EditCopy1, EditCopy1->shortcut(), QString());
  Paste = item(Edit1, "Paste", EditPaste1, EditPaste1->shortcut(), QString());
  Delete = item(Edit1, "Delete", EditDelete1, EditDelete1->shortcut(), QString());
  connect(Edit1, &QMenu::aboutToShow, this, [this] { UpdateEditActions(); });

  auto dialog = [](FileDialogSetup& setup, const char* name, FileDialogSetup::Kind kind,
                   const char* filter, const char* extension) {
    setup.name = name;
    setup.kind = kind;
    setup.filter = filter;
    setup.defaultExtension = extension;
  };
  using Kind = FileDialogSetup::Kind;
  dialog(InputOpen_Dialog, "InputOpen_Dialog", Kind::Open, "Input files (*.inp)|*.inp", "inp");
  dialog(InputSave_Dialog, "InputSave_Dialog", Kind::Save, "Input files (*.inp)|*.inp", "inp");
  dialog(OutputOpen_Dialog, "OutputOpen_Dialog", Kind::Open, "Output files (*.out)|*.out", "out");
  dialog(GraphOpen_Dialog, "GraphOpen_Dialog", Kind::Open, "Image files (*.bmp)|*.bmp", "bmp");
  dialog(GraphSave_Dialog, "GraphSave_Dialog", Kind::Save, "Image files (*.bmp)|*.bmp", "bmp");
}

void TMainForm::BindButton(QPushButton* button, QAction* action, bool useActionCaption) {
  if (useActionCaption)
    button->setText(action->text());
  button->setToolTip(action->toolTip());
  button->setStatusTip(action->statusTip());
  button->setEnabled(action->isEnabled());
  connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
  connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

void TMainForm::BuildIntroSheet() {
  Intro_Tabsheet = NewSheet(PageControl1, "Intro_Tabsheet", " Intro ");
  Intro_Memo = new QPlainTextEdit(Intro_Tabsheet);
  Intro_Memo->setObjectName("Intro_Memo");
  Intro_Memo->setGeometry(48, 24, 505, 313);
  Intro_Memo->setReadOnly(true);
  const QStringList lines{
      "   ",
      "                INTRODUCTION TO THE Pumpfield PROGRAM",
      QString(33, ' ') + "on https://pumpfield.example.org",
      "",
      "   The Pumpfield program calculates the discharge,  hydraulic  head or spacing ",
      "   between parallel subsurface drains: pipe drains or open ditches, with or without ",
      "   entrance resistance. ",
      "",
      "   The calculations are based onthe Darcy and waterbalance (continuity) ",
      "   equations.",
      "",
      "   The program allows for the presence of three different soil layers with different ",
      "   hydraulic permeabilities: one layer above and two below drain level. ",
      "   The last two layers can also have different horizontal and vertical permeabilities.",
      "",
      "   Reference : https://pumpfield.example.org/reference.pdf",
      "",
      "   pumpfield@example.org"};
  Intro_Memo->setPlainText(lines.join('\n'));

  LogoImage = new QLabel(Intro_Tabsheet);
  LogoImage->setObjectName("LogoImage");
  LogoImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LogoImage->setPixmap(QPixmap::fromImage(IntroPicture()));
  LogoImage->setGeometry(576, 352, 109, 96);
}

void TMainForm::BuildFigureSheet() {
  Figure_TabSheet = NewSheet(PageControl1, "Figure_TabSheet", " Figure ");
  Figure_Image = new QLabel(Figure_TabSheet);
  Figure_Image->setObjectName("Figure_Image");
  Figure_Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QImage& figure = ExplanatoryFigure();
  Figure_Image->setPixmap(QPixmap::fromImage(figure));
  Figure_Image->setGeometry(48, 8, figure.width(), figure.height());
}

void TMainForm::FormCreate() {
  PageControl1->setCurrentWidget(Intro_Tabsheet);
  State.StartDirectory = QDir::currentPath();
  SetDialogFolders(State.StartDirectory);
  InputSave->setEnabled(false);
  State.OutputShown = false;
  State.InputLoaded = false;
  engine.Flags.RunAttempted = false;
  CalcAim_Combobox->setCurrentIndex(0);
  State.AimIndex = 0;
  State.LoadedAimIndex = 0;
  for (QString* stash : {&State.StashR, &State.StashDm, &State.StashD2, &State.StashDw,
                         &State.StashDb, &State.StashE, &State.StashW, &State.StashKa,
                         &State.StashS, &State.StashSa, &State.StashSb})
    *stash = "0";
  CreateInputFields();
  DescribeInputFields();
  TMaskEdits[13]->hide();
  Label14->hide();
  Label15->hide();
  SetPlotFrame(PlotScale, kPlotWidth, kPlotHeight);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  PlaceWindow(screen ? screen->geometry().width() : 1024);
  State.DecimalSeparator = SystemDecimalSeparator();
  State.StartupDecimalSeparator = State.DecimalSeparator;
  MarkInputSaved();
}

// The widths of the placement are those of the whole window, whose frame takes 17 pixels
// beside the client area: 725 wide as a whole is the designed client width of 708.
void TMainForm::PlaceWindow(int screenWidth) {
  constexpr int kWholeWidth = 725;
  constexpr int kFrameWidth = kWholeWidth - kDesignClientSize.width();
  move(50, 100);
  setMinimumWidth(std::min(kDesignClientSize.width(), screenWidth - kFrameWidth));
  if (screenWidth > kWholeWidth)
    resize(kWholeWidth - kFrameWidth, height());
  else if (screenWidth < width() + kFrameWidth)
    resize(screenWidth - kFrameWidth, height());
}

void TMainForm::RepaintWhole() {
  repaint();
  PageControl1->repaint();
}

void TMainForm::FormDestroy() {
  // A field deleted while it has the focus loses it; that is no exit of the user's.
  for (QLineEdit* field : TMaskEdits)
    if (field)
      field->removeEventFilter(this);
  for (QLineEdit*& field : TMaskEdits) {
    delete field;
    field = nullptr;
  }
}

void TMainForm::SetDialogFolders(const QString& folder) {
  InputOpen_Dialog.initialFolder = folder;
  InputSave_Dialog.initialFolder = folder;
  OutputOpen_Dialog.initialFolder = folder;
}

void DestroyStartupObjects() {
  delete FigureForm;
  FigureForm = nullptr;
  delete CloseForm;
  CloseForm = nullptr;
  delete MainForm;
  MainForm = nullptr;
}

bool TMainForm::ChooseFileAsInputFileName(const FileDialogSetup& dialog,
                                          const char* cancelMessage) {
  const std::optional<QString> chosen = RunFileDialog(dialog);
  if (!chosen) {
    AppServices().ShowMessage(cancelMessage);
    return false;
  }
  DMPumpfield->InputFileName = FromQ(*chosen);
  if (!FileExists(DMPumpfield->InputFileName)) {
    AppServices().ShowMessage("File does not exist, please select another one,");
    return false;
  }
  return true;
}

void TMainForm::FormShow() {
  if (CloseForm && CloseForm->isVisible())
    TerminateApplication();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (RunGoesOn()) {
    // The run stops first; the window then closes as it always does.
    closeAfterRun_ = true;
    CancelRunClick();
    return;
  }
  if (designRun_.Running()) {
    closeAfterRun_ = true;
    designRun_.Cancel();
    return;
  }
  bool mayQuit = false;
  RunGuarded([&] { mayQuit = SettleUnsavedChanges(UnsavedChangesReason::Quit); });
  if (mayQuit && CloseForm)
    CloseForm->ShowInFront();
}

void TMainForm::showEvent(QShowEvent* event) {
  TBaseForm::showEvent(event);
  if (event->spontaneous())
    return;
  RunGuarded([this] { FormShow(); });
  RunGuarded([this] { RunSheetShowHandler(PageControl1->currentIndex()); });
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
  case QEvent::FocusOut: {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Switching to another window or opening a menu does not leave the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason)
      break;
    for (size_t i = 0; i < TMaskEdits.size(); ++i)
      if (watched == TMaskEdits[i]) {
        QLineEdit* field = TMaskEdits[i];
        const FieldExitHandler handler = fieldExitHandlers_[i];
        RunGuarded([this, field, handler] { (this->*handler)(field); });
      }
    break;
  }
  case QEvent::Resize:
    if (watched == Output_TabSheet) {
      const QSize client(PageControl1->width(), PageControl1->height() + StatusBar1->height());
      const QSize growth = client - kDesignClientSize;
      const QRect memo(QPoint(22, 8), QSize(590, 441));
      Output_Memo->setGeometry(QRect(memo.topLeft(), memo.size() + growth));
      // The buttons keep their distance to the bottom, below the growing report; those right
      // of it keep their distance to the right edge too.
      for (QPushButton* button :
           Output_TabSheet->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->property(kDesignedTop).isValid()) {
          button->setProperty(kDesignedTop, button->y());
          button->setProperty(kDesignedLeft, button->x());
        }
        const int left = button->property(kDesignedLeft).toInt();
        button->move(left + (left > memo.right() ? growth.width() : 0),
                     button->property(kDesignedTop).toInt() + growth.height());
      }
    }
    break;
  default:
    break;
  }
  return TBaseForm::eventFilter(watched, event);
}

void TMainForm::RunSheetShowHandler(int index) {
  QWidget* sheet = PageControl1->widget(index);
  if (sheet == Intro_Tabsheet)
    Intro_TabsheetShow();
  else if (sheet == Figure_TabSheet)
    Figure_TabSheetShow();
  else if (sheet == Input_TabSheet)
    Input_TabSheetShow();
  else if (sheet == Output_TabSheet)
    Output_TabSheetShow();
  else if (sheet == Graphics_TabSheet)
    Graphics_TabSheetShow();
  else if (sheet == Design_Sheet)
    Design_SheetShow();
}

void TMainForm::RunSheetExitHandler(int index) {
  if (PageControl1->widget(index) == Input_TabSheet)
    Input_TabSheetExit();
}

namespace {
// The focused control when it is one the edit actions can act on.
QLineEdit* FocusedLineEdit() {
  QWidget* focus = QApplication::focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus))
    return edit;
  if (auto* combo = qobject_cast<QComboBox*>(focus))
    return combo->lineEdit();
  return nullptr;
}
} // namespace

void TMainForm::RunEditAction(QAction* action) {
  if (QLineEdit* edit = FocusedLineEdit()) {
    if (action == EditCut1)
      edit->cut();
    else if (action == EditCopy1)
      edit->copy();
    else if (action == EditPaste1)
      edit->paste();
    else if (action == EditDelete1 && edit->hasSelectedText() && !edit->isReadOnly())
      edit->del();
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget())) {
    if (action == EditCut1)
      memo->cut();
    else if (action == EditCopy1)
      memo->copy();
    else if (action == EditPaste1)
      memo->paste();
    else if (action == EditDelete1 && !memo->isReadOnly())
      memo->textCursor().removeSelectedText();
  }
}

void TMainForm::UpdateEditActions() {
  bool selected = false, writable = false;
  if (QLineEdit* edit = FocusedLineEdit()) {
    selected = edit->hasSelectedText();
    writable = !edit->isReadOnly();
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget())) {
    selected = memo->textCursor().hasSelection();
    writable = !memo->isReadOnly();
  }
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const bool clipText = clipboard && !clipboard->text().isEmpty();
  EditCut1->setEnabled(selected && writable);
  EditCopy1->setEnabled(selected);
  EditPaste1->setEnabled(writable && clipText);
  EditDelete1->setEnabled(selected && writable);
}

void TMainForm::Intro_TabsheetShow() {
  ShowStatus("Use the Input tabsheet to continue");
  if (FigureForm)
    FigureForm->hide();
}

void TMainForm::Figure_TabSheetShow() {
  ShowStatus("The figure gives explanations of symbols used in the input tabsheet");
  if (FigureForm)
    FigureForm->hide();
}

void TMainForm::FigureButton1Click() {
  if (FigureForm)
    FigureForm->show();
}

// The Output sheet's "Figure" button does what the Input sheet's does.
void TMainForm::FigureButton2Click() { FigureButton1Click(); }
