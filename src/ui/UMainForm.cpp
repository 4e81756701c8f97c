#include "ui/UMainForm.h"

#include "graph/UWellUtils.h"
#include "run/RunState.h"

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
#include <QStatusBar>
#include <QTabWidget>

TMainForm* MainForm = nullptr;

namespace {
// The designed client area; controls anchored to the right and bottom grow and shrink with the
// client area from their designed size.
constexpr QSize kDesignClientSize(708, 550);

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

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->adjustSize();
  label->move(left, top);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

QWidget* NewSheet(QTabWidget* pages, const char* name, const QString& caption) {
  auto* sheet = new QWidget(pages);
  sheet->setObjectName(name);
  pages->addTab(sheet, caption);
  return sheet;
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
  setCentralWidget(PageControl1);

  BuildMenuAndActions();
  BuildIntroSheet();
  BuildFigureSheet();
  BuildInputSheet();
  BuildOutputSheet();
  BuildGraphicsSheet();

  resize(kDesignClientSize.width(), MainMenu1->sizeHint().height() + kDesignClientSize.height());

  currentSheet_ = PageControl1->currentIndex();
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    const int previous = currentSheet_;
    currentSheet_ = index;
    RunGuarded([this, previous] { RunSheetExitHandler(previous); });
    RunGuarded([this, index] { RunSheetShowHandler(index); });
  });
  exitKeyFilter_ = new ExitKeyFilter(this);
  qApp->installEventFilter(exitKeyFilter_);

  FormCreate();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(exitKeyFilter_);
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

  auto handle = [this](QAction* action, void (TMainForm::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  };
  handle(InputOpen, &TMainForm::InputOpenExecute);
  handle(InputSave, &TMainForm::InputSaveExecute);
  handle(OutputOpen, &TMainForm::OutputOpenExecute);
  handle(GraphOpen, &TMainForm::GraphOpenExecute);
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

void TMainForm::BuildInputSheet() {
  Input_TabSheet = NewSheet(PageControl1, "Input_TabSheet", " Input ");
  QWidget* sheet = Input_TabSheet;
  sheet->setFont(PixelFont("Courier New", 13, true));

  Filename_Label = NewLabel(sheet, "Filename_Label", "File", 32, 14);
  Filename_Label->hide();
  FileName_Edit = new QLineEdit(sheet);
  FileName_Edit->setObjectName("FileName_Edit");
  FileName_Edit->setReadOnly(true);
  FileName_Edit->setGeometry(112, 10, 577, 21);
  FileName_Edit->hide();
  Title1_Label = NewLabel(sheet, "Title1_Label", "Title1", 32, 44);
  Title1_Edit = new QLineEdit(sheet);
  Title1_Edit->setObjectName("Title1_Edit");
  Title1_Edit->setGeometry(112, 38, 577, 21);
  Title2_Label = NewLabel(sheet, "Title2_Label", "Title2", 32, 70);
  Title2_Edit = new QLineEdit(sheet);
  Title2_Edit->setObjectName("Title2_Edit");
  Title2_Edit->setGeometry(112, 65, 577, 21);
  Options_Label = NewLabel(sheet, "Options_Label", "Options", 32, 98);

  CalcAim_Combobox = new QComboBox(sheet);
  CalcAim_Combobox->setObjectName("CalcAim_Combobox");
  CalcAim_Combobox->addItems(
      {"The well spacing is to be calculated", "The well discharge is to be calculated",
       "Calculate the depth of the water table", "Calculate the hydraulic conductivity"});
  CalcAim_Combobox->setGeometry(112, 93, 393, 22);
  // activated: only a choice by the user runs the change handler, not one by the program.
  connect(CalcAim_Combobox, &QComboBox::activated, this,
          [this] { RunGuarded([this] { CalcAim_ComboboxChange(); }); });

  WaitMemo = new QPlainTextEdit(sheet);
  WaitMemo->setObjectName("WaitMemo");
  WaitMemo->setGeometry(512, 0, 177, 118);
  WaitMemo->setReadOnly(true);
  WaitMemo->setFont(PixelFont("Courier New", 13, true));
  QPalette colours = WaitMemo->palette();
  colours.setColor(QPalette::Base, QColor(0, 0, 255));
  colours.setColor(QPalette::Text, QColor(255, 255, 0));
  WaitMemo->setPalette(colours);
  WaitMemo->hide();

  const QStringList captions{"Time average recharge or discharge         R    (m/day) : ",
                             "Bottom depth of 1st layer below s.s.       D1       (m) : ",
                             "Bottom depth of 2nd layer below s.s.       D2       (m) : ",
                             "Depth water level in the well below s.s.   Dw       (m) : ",
                             "Depth of the well bottom below s.s.        Db       (m) : ",
                             "Entrance resistance at the well            E    (day/m) : ",
                             "Max. width of water body in the well       W        (m) : ",
                             "Permeability, above water level in well    Ka   (m/day) : ",
                             "Horizontal permeability, 1st soil layer    Kb1  (m/day) : ",
                             "Vertical permeability, 1st soil layer      Kv1  (m/day) : ",
                             "Horizontal permeability, 2nd soil layer    Kb2  (m/day) : ",
                             "Vertical permeability, 2nd soil layer      Kv2  (m/day) : ",
                             "Depth watertable midway between wells      Dm       (m) : "};
  for (int i = 0; i < 13; ++i) {
    const QByteArray name = "Label" + QByteArray::number(i + 1);
    QLabel* label = NewLabel(sheet, name.constData(), captions[i], 32, 135 + 20 * i);
    label->resize(464, label->height());
    Labels[static_cast<size_t>(i)] = label;
  }
  Labels[13] = NewLabel(sheet, "Label14", "", 32, 392);
  Labels[13]->hide();
  Label1 = Labels[0];
  Label2 = Labels[1];
  Label3 = Labels[2];
  Label4 = Labels[3];
  Label5 = Labels[4];
  Label6 = Labels[5];
  Label7 = Labels[6];
  Label8 = Labels[7];
  Label9 = Labels[8];
  Label10 = Labels[9];
  Label11 = Labels[10];
  Label12 = Labels[11];
  Label13 = Labels[12];
  Label14 = Labels[13];
  Label15 = new QLabel("(in a rectangular layout)", sheet);
  Label15->setObjectName("Label15");
  Label15->setFont(PixelFont("Courier New", 11, true));
  Label15->setToolTip(
      "The largest and smallest spacing hold for a rectangular layout of the well field");
  Label15->adjustSize();
  Label15->move(128, 408);
  Label15->hide();

  const QFont buttonFont = PixelFont("Courier New", 16, true);
  FigureButton1 = NewButton(sheet, "FigureButton1", "Figure", QRect(368, 463, 75, 25));
  Filesave_Button = NewButton(sheet, "Filesave_Button", "", QRect(456, 463, 96, 25));
  Fileopen_Button = NewButton(sheet, "Fileopen_Button", "", QRect(568, 463, 114, 25));
  for (QPushButton* button : {FigureButton1, Filesave_Button, Fileopen_Button})
    button->setFont(buttonFont);
  BindButton(Filesave_Button, InputSave, true);
  BindButton(Fileopen_Button, InputOpen, true);
  connect(FigureButton1, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { FigureButton1Click(); }); });
}

void TMainForm::BuildOutputSheet() {
  Output_TabSheet = NewSheet(PageControl1, "Output_TabSheet", " Output ");
  QWidget* sheet = Output_TabSheet;
  sheet->setFont(PixelFont("Tahoma", 13));

  Output_Memo = new QPlainTextEdit(sheet);
  Output_Memo->setObjectName("Output_Memo");
  Output_Memo->setFont(PixelFont("Courier New", 13));
  Output_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Output_Memo->setReadOnly(true);
  Output_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output_Memo->setGeometry(22, 8, 590, 441);
  Output_Memo->hide();
  sheet->installEventFilter(this);

  Symbols_Memo = new QPlainTextEdit(sheet);
  Symbols_Memo->setObjectName("Symbols_Memo");
  Symbols_Memo->setFont(PixelFont("Tahoma", 11));
  Symbols_Memo->setReadOnly(true);
  QPalette cream = Symbols_Memo->palette();
  cream.setColor(QPalette::Base, QColor(255, 251, 221));
  Symbols_Memo->setPalette(cream);
  Symbols_Memo->setGeometry(407, 329, 185, 96);
  Symbols_Memo->setPlainText(
      QStringList{"Output symbols" + QString(9, ' '), " ", "X       = distance from well (m)",
                  "p       = small increment of X (m)", "F       = hydraulic head (m)",
                  "G/p   = gradient of F (m/m)", ""}
          .join('\n'));
  Symbols_Memo->hide();

  SeeOutput_Button = NewButton(sheet, "SeeOutput_Button", "Open &output", QRect(592, 469, 97, 25));
  SeeOutput_Button->setFont(PixelFont("Tahoma", 13, true));
  BindButton(SeeOutput_Button, OutputOpen, false);
  Symbols_Button = NewButton(sheet, "Symbols_Button", "Symbols", QRect(480, 469, 97, 25));
  Symbols_Button->hide();
  ViewGraphButton = NewButton(sheet, "ViewGraphButton", "See graph", QRect(375, 469, 89, 25));
  FigureButton2 = NewButton(sheet, "FigureButton2", "Figure", QRect(280, 469, 75, 25));
  FigureButton2->hide();
  connect(Symbols_Button, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { Symbols_ButtonClick(); }); });
  connect(ViewGraphButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { ViewGraphButtonClick(); }); });
  connect(FigureButton2, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { FigureButton2Click(); }); });
}

void TMainForm::BuildGraphicsSheet() {
  Graphics_TabSheet = NewSheet(PageControl1, "Graphics_TabSheet", " Graphics ");
  QWidget* sheet = Graphics_TabSheet;
  GraphImage = new QLabel(sheet);
  GraphImage->setObjectName("GraphImage");
  GraphImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  GraphImage->setGeometry(0, 0, 623, 465);
  GraphImage->hide();
  PictureImage = new QLabel(sheet);
  PictureImage->setObjectName("PictureImage");
  PictureImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PictureImage->setGeometry(8, 0, 625, 465);
  PictureImage->hide();

  MakeGraphics_Button =
      NewButton(sheet, "MakeGraphics_Button", "Make graph", QRect(592, 471, 97, 25));
  SaveGraphButton = NewButton(sheet, "SaveGraphButton", "Save graph", QRect(392, 471, 89, 25));
  SaveGraphButton->hide();
  SeeGraphButton = NewButton(sheet, "SeeGraphButton", "Open graph ", QRect(488, 471, 97, 25));
  BindButton(SeeGraphButton, GraphOpen, false);
  connect(MakeGraphics_Button, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { MakeGraphics_ButtonClick(); }); });
  connect(SaveGraphButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { SaveGraphButtonClick(); }); });
}

void TMainForm::CreateInputFields() {
  for (int i = 0; i < 14; ++i) {
    auto* field = new QLineEdit(Input_TabSheet);
    field->setObjectName(QString("MaskEdit%1").arg(i + 1));
    field->setGeometry(512, 132 + 20 * i, 121, 21);
    field->setText("0");
    field->installEventFilter(this);
    TMaskEdits[static_cast<size_t>(i)] = field;
    fieldExitHandlers_[static_cast<size_t>(i)] = &TMainForm::MaskEdit1Exit;
  }
  fieldExitHandlers_[2] = &TMainForm::MaskEdit2Exit;
}

void TMainForm::FormCreate() {
  PageControl1->setCurrentWidget(Intro_Tabsheet);
  StartDirectory = QDir::currentPath();
  SetDialogFolders(StartDirectory);
  InputSave->setEnabled(false);
  OutputShown = false;
  InputLoaded = false;
  WellUtils.RunAttempted = false;
  CalcAim_Combobox->setCurrentIndex(0);
  AimIndex = 0;
  LoadedAimIndex = 0;
  for (QString* stash : {&StashR, &StashDm, &StashD2, &StashDw, &StashDb, &StashE, &StashW,
                         &StashKa, &StashS, &StashSa, &StashSb})
    *stash = "0";
  CreateInputFields();
  TMaskEdits[13]->hide();
  Label14->hide();
  Label15->hide();
  SetPlotFrame(kPlotWidth, kPlotHeight);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  PlaceWindow(screen ? screen->geometry().width() : 1024);
  StartupDecimalSeparator = DecimalSeparator();
}

// The widths of the placement are those of the whole window, whose frame takes 17 pixels
// beside the client area: 725 wide as a whole is the designed client width of 708.
void TMainForm::PlaceWindow(int screenWidth) {
  constexpr int kWholeWidth = 725;
  constexpr int kFrameWidth = kWholeWidth - kDesignClientSize.width();
  move(50, 100);
  if (screenWidth > kWholeWidth)
    resize(kWholeWidth - kFrameWidth, height());
  else if (screenWidth < width() + kFrameWidth)
    resize(screenWidth - kFrameWidth, height());
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
  delete DMPumpfield;
  DMPumpfield = nullptr;
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
  if (CloseForm)
    CloseForm->show();
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
      Output_Memo->setGeometry(QRect(QPoint(22, 8), QSize(590, 441) + client - kDesignClientSize));
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

void TMainForm::FigureButton2Click() {
  if (FigureForm)
    FigureForm->show();
}
