// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/frmQuenby.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <limits>
#include <utility>

#include "engine/engine.hpp"
#include "rules/rule_list.hpp"
#include "rules/rules_file.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"
#include "ui/frmAbout.hpp"
#include "ui/frmRule.hpp"
#include "ui/frmSexChoice.hpp"
#include "ui/qt_support.hpp"
#include "workspace/accessible_names.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/file_drop.hpp"
#include "workspace/find_bar.hpp"
#include "workspace/layout_start.hpp"
#include "workspace/list_items.hpp"
#include "workspace/list_tab_stops.hpp"
#include "workspace/main_menu.hpp"
#include "workspace/people_views.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/rules_run.hpp"
#include "workspace/save_format.hpp"
#include "workspace/unsaved_work.hpp"
#include "workspace/user_guide.hpp"
#include "workspace/window_layout.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/window_status.hpp"
#include "workspace/workbench.hpp"

namespace quenby {

namespace {

// A control of the window, named as the form names it. Its place and size
// are the window layout's concern.
template <typename Control, typename... Args>
Control* Make(QWidget* parent, const char* name, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)..., parent);
  control->setObjectName(QLatin1String(name));
  return control;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name) {
  auto* box = Make<QPlainTextEdit>(parent, name);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

QListWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = Make<QListWidget>(parent, name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes(true);
  SetListTabStops(list, {});
  return list;
}

}  // namespace

QString frmQuenby::WindowTitle() {
  return QStringLiteral("Quenby");
}

frmQuenby::frmQuenby(Modal& modal, const Registry& registry, QWidget* parent)
    : QWidget(parent), modal_(modal, *this), registry_(registry) {
  CreateControls();
  SetTabOrder();
  ArrangeMainWindow(*this);
  workbench->RestoreState();
  layout()->setMenuBar(MakeMainMenu(*this));
  unsaved_ = new UnsavedWork(*lstRules, *txtINDI, *txtFAM, this);
  connect(unsaved_, &UnsavedWork::Changed, status, &WindowStatus::Unsaved);
  new FileDrop(*this);
  rulesRun_ = new RulesRun(*this);
  ConnectHandlers();
  Form_Load();
  RestoreWindowGeometry(*this, DefaultWindowSize(*this));
}

frmQuenby::~frmQuenby() {
  // The rule list empties itself as it goes, which is no change of the rules.
  lstRules->model()->disconnect(this);
}

void frmQuenby::CreateControls() {
  setWindowTitle(WindowTitle());

  Label1 = Make<QLabel>(this, "Label1", QStringLiteral("Paste text to parse here (can be edited)..."));
  txtInput = MakeTextBox(this, "txtInput");
  Label2 = Make<QLabel>(this, "Label2",
                        QStringLiteral("Rules (first rules runs once on each line of text above, then the next rule, "
                                       "etc)... "));
  lstRules = MakeList(this, "lstRules");
  btnRuleMove[0] = Make<ArrowButton>(this, "btnRuleMove(0)", QStringLiteral("^    |  "), ArrowButton::Direction::kUp);
  btnRuleMove[1] = Make<ArrowButton>(this, "btnRuleMove(1)", QStringLiteral("|    v  "), ArrowButton::Direction::kDown);
  btnEditRule = Make<CaptionButton>(this, "btnEditRule", QStringLiteral("       Edit         (or delete)"));
  btnInsertRule = Make<CaptionButton>(this, "btnInsertRule", QStringLiteral("  Insert    (above)"));
  btnAddRule = Make<CaptionButton>(this, "btnAddRule", QStringLiteral("    Add      (after)"));
  btnLoad = Make<CaptionButton>(this, "btnLoad", QStringLiteral("Load Rules"));
  btnSave = Make<CaptionButton>(this, "btnSave", QStringLiteral("Save Rules"));
  btnRunRules = Make<CaptionButton>(this, "btnRunRules", QStringLiteral("Run Rules"));

  Label6 = Make<QLabel>(this, "Label6", QStringLiteral("People List (results of rules)..."));
  lstPeople = MakeList(this, "lstPeople");
  Label7 = Make<QLabel>(this, "Label7", QStringLiteral("Test var's (editable)..."));

  struct DetailRow {
    QLabel* frmQuenby::*label;
    const char* labelName;
    const char* labelText;
    const char* boxName;
  };
  static constexpr std::array<DetailRow, 10> kDetailRows = {{
      {&frmQuenby::Label10, "Label10", "Full Name", "txtDetails(0)"},
      {&frmQuenby::Label11, "Label11", "Sex", "txtDetails(1)"},
      {&frmQuenby::Label12, "Label12", "Date of Birth", "txtDetails(2)"},
      {&frmQuenby::Label13, "Label13", "Place of Birth", "txtDetails(3)"},
      {&frmQuenby::Label14, "Label14", "Date of Death", "txtDetails(4)"},
      {&frmQuenby::Label15, "Label15", "Place of Death", "txtDetails(5)"},
      {&frmQuenby::Label16, "Label16", "Date of Marriage", "txtDetails(6)"},
      {&frmQuenby::Label17, "Label17", "Place of Marriage", "txtDetails(7)"},
      {&frmQuenby::Label18, "Label18", "References", "txtDetails(8)"},
      {&frmQuenby::Label19, "Label19", "Notes", "txtDetails(9)"},
  }};
  for (std::size_t i = 0; i < kDetailRows.size(); ++i) {
    const DetailRow& row = kDetailRows[i];
    this->*row.label = Make<QLabel>(this, row.labelName, QString::fromLatin1(row.labelText));
    txtDetails[i] = Make<QLineEdit>(this, row.boxName);
    // A test variable holds a whole field of a person line, however long.
    txtDetails[i]->setMaxLength(std::numeric_limits<int>::max());
  }

  btnTestOne = Make<CaptionButton>(this, "btnTestOne", QStringLiteral("Test individual selected above"));
  btnDoOne = Make<CaptionButton>(this, "btnDoOne", QStringLiteral("Process the test"));
  btnDoAll = Make<CaptionButton>(this, "btnDoAll", QStringLiteral("Process all"));
  Label8 = Make<QLabel>(this, "Label8", QStringLiteral("Individuals [GED]"));
  Label9 = Make<QLabel>(this, "Label9", QStringLiteral("Families [GED]"));
  txtINDI = MakeTextBox(this, "txtINDI");
  txtFAM = MakeTextBox(this, "txtFAM");
  btnWrite = Make<CaptionButton>(this, "btnWrite", QStringLiteral("Save generated file"));
  btnHelp = Make<CaptionButton>(this, "btnHelp", QStringLiteral("?"));
  cmdDebugPeople = Make<CaptionButton>(this, "cmdDebugPeople", QStringLiteral("Debug People List"));
  findBar = new FindBar(this);
  status = new WindowStatus(*this, *lstPeople);
  workbench = new Workbench(*lstRules, this);
  peopleViews = new PeopleViews(*lstPeople, *txtInput, *workbench);

  cdgRules.title = QStringLiteral("Load/Save Quenby Rules");
  cdgRules.filter = QStringLiteral("Quenby Rules (*.rules)|*.rules|All Files (*.*)|*.*");
  cdgRules.extension = QStringLiteral(".rules");
  cdgWrite.title = QStringLiteral("Save Quenby GED file");
  cdgWrite.filter = SaveGeneratedFileFilter();
  cdgWrite.extension = QStringLiteral(".ged");
  cdgText.title = QStringLiteral("Open text to parse");
  cdgText.filter = QStringLiteral("Text files (*.txt)|*.txt|All Files (*.*)|*.*");
  NameControlsForAccessibility(*this);
}

void frmQuenby::SetTabOrder() {
  std::vector<QWidget*> order = {txtInput,   lstRules, btnRuleMove[0], btnRuleMove[1], btnEditRule, btnInsertRule,
                                 btnAddRule, btnLoad,  btnSave,        btnRunRules,    lstPeople};
  order.insert(order.end(), txtDetails.begin(), txtDetails.end());
  order.insert(order.end(), {btnTestOne, btnDoOne, btnDoAll, txtINDI, txtFAM, btnWrite, btnHelp, cmdDebugPeople});
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

void frmQuenby::ConnectHandlers() {
  for (int index = 0; index < 2; ++index) {
    connect(btnRuleMove[static_cast<std::size_t>(index)], &QPushButton::clicked, this,
            [this, index] { btnRuleMove_Click(index); });
  }
  connect(btnEditRule, &QPushButton::clicked, this, &frmQuenby::btnEditRule_Click);
  connect(btnInsertRule, &QPushButton::clicked, this, &frmQuenby::btnInsertRule_Click);
  connect(btnAddRule, &QPushButton::clicked, this, &frmQuenby::btnAddRule_Click);
  connect(btnLoad, &QPushButton::clicked, this, &frmQuenby::btnLoad_Click);
  connect(btnSave, &QPushButton::clicked, this, &frmQuenby::btnSave_Click);
  connect(btnRunRules, &QPushButton::clicked, this, &frmQuenby::btnRunRules_Click);
  connect(lstPeople, &QListWidget::itemSelectionChanged, this, &frmQuenby::lstPeople_Click);
  connect(btnTestOne, &QPushButton::clicked, this, &frmQuenby::btnTestOne_Click);
  connect(btnDoOne, &QPushButton::clicked, this, &frmQuenby::btnDoOne_Click);
  connect(btnDoAll, &QPushButton::clicked, this, &frmQuenby::btnDoAll_Click);
  connect(cmdDebugPeople, &QPushButton::clicked, this, &frmQuenby::cmdDebugPeople_Click);
  connect(btnWrite, &QPushButton::clicked, this, &frmQuenby::btnWrite_Click);
  connect(btnHelp, &QPushButton::clicked, this, &frmQuenby::btnHelp_Click);
  connect(txtInput, &QPlainTextEdit::textChanged, this, &frmQuenby::txtInput_Change);
  const QAbstractItemModel* rules = lstRules->model();
  connect(rules, &QAbstractItemModel::rowsInserted, this, &frmQuenby::lstRules_Change);
  connect(rules, &QAbstractItemModel::rowsRemoved, this, &frmQuenby::lstRules_Change);
  connect(rules, &QAbstractItemModel::rowsMoved, this, &frmQuenby::lstRules_Change);
  connect(rules, &QAbstractItemModel::dataChanged, this, &frmQuenby::lstRules_Change);
  connect(rules, &QAbstractItemModel::modelReset, this, &frmQuenby::lstRules_Change);
  runAfterChange_ = new QTimer(this);
  runAfterChange_->setSingleShot(true);
  runAfterChange_->setInterval(0);
  connect(runAfterChange_, &QTimer::timeout, this, &frmQuenby::RunAfterChange);
  // The first edit of the input text after records were made is an undo
  // step of its own, so that taking it back takes back that edit alone.
  for (QPlainTextEdit* records : {txtINDI, txtFAM}) {
    connect(records->document(), &QTextDocument::contentsChanged, txtInput,
            [this] { txtInput->document()->setModified(false); });
  }
}

void frmQuenby::Form_Load() {
  SetListTabStops(lstRules, {20, 40, 140, 160});
  MarkEdgeSpaces(lstRules);
  for (FileDialogSettings* dialog : {&cdgRules, &cdgWrite, &cdgText}) {
    dialog->directory = StartFolder();
  }
}

void frmQuenby::FileChosen(FileDialogSettings& dialog, const QString& fileName) {
  dialog.lastFile = fileName;
  RememberFolderOf(fileName);
  for (FileDialogSettings* other : {&cdgRules, &cdgWrite, &cdgText}) {
    other->directory = StartFolder();
  }
}

void frmQuenby::closeEvent(QCloseEvent* event) {
  // A run of the rules stops at once and leaves the window as it was; the
  // window then closes as it would without it.
  rulesRun_->StopAndWait();
  if (processingAll_) {
    // The run stops after the person being asked about; the window closes
    // once it has.
    event->ignore();
    if (modal_.Confirm(this, WindowTitle(), QStringLiteral("Stop processing all people and close Quenby?"))) {
      stopProcessingAll_ = true;
      if (sexChoice_ != nullptr) {
        sexChoice_->hide();
      }
    }
    return;
  }
  if (!unsaved_->MayDropRules(modal_, this, [this] { return SaveRules(); }) ||
      !unsaved_->MayDropRecords(modal_, this, [this] { return WriteGenerated(); })) {
    event->ignore();
    return;
  }
  SaveWindowGeometry(*this);
  workbench->SaveState();
  Form_Unload();
  event->accept();
}

void frmQuenby::Form_Unload() {
  if (aboutBox_ != nullptr) {
    aboutBox_->close();
  }
  if (ruleEditor_ != nullptr) {
    ruleEditor_->close();
  }
  if (sexChoice_ != nullptr) {
    sexChoice_->close();
  }
}

void frmQuenby::btnHelp_Click() {
  frmAbout about(modal_, registry_, this);
  aboutBox_ = &about;
  modal_.Exec(about);
  aboutBox_ = nullptr;
}

void frmQuenby::ClearDetails() {
  for (QLineEdit* detail : txtDetails) {
    detail->clear();
  }
}

void frmQuenby::ClearGedOutput() {
  txtINDI->clear();
  txtFAM->clear();
  NextFamNumber = 1;
  NextNoteNumber = 1;
  DefaultSexIds.clear();
  status->RecordsCleared();
}

void frmQuenby::EmptyPeopleList() {
  peopleViews->Clear();
  lstPeople->clear();
  FitRowsToWidestItem(lstPeople);
}

void frmQuenby::txtInput_Change() {
  QTextDocument& input = *txtInput->document();
  if (takingBackEdit_) {
    return;
  }
  if (!unsaved_->MayEditInput(modal_, this, [this] { return WriteGenerated(); })) {
    takingBackEdit_ = true;
    if (input.availableRedoSteps() > inputRedoSteps_) {
      txtInput->redo();
    } else {
      txtInput->undo();
    }
    takingBackEdit_ = false;
  } else {
    EmptyPeopleList();
    ClearDetails();
    ClearGedOutput();
    workbench->ForgetRun();
  }
  inputRedoSteps_ = input.availableRedoSteps();
}

void frmQuenby::btnLoad_Click() {
  if (!unsaved_->MayDropRules(modal_, this, [this] { return SaveRules(); })) {
    return;
  }
  const QString fileName = modal_.OpenFileName(this, cdgRules);
  if (!fileName.isEmpty()) {
    FileChosen(cdgRules, fileName);
    LoadRulesFrom(fileName);
  }
  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
}

void frmQuenby::LoadRules(const QString& fileName) {
  if (!unsaved_->MayDropRules(modal_, this, [this] { return SaveRules(); })) {
    return;
  }
  cdgRules.lastFile = fileName;
  LoadRulesFrom(fileName);
  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
}

void frmQuenby::NewRulesFromLayout() {
  if (!unsaved_->MayDropRules(modal_, this, [this] { return SaveRules(); })) {
    return;
  }
  const auto layout = AskForLayout(modal_, this);
  if (!layout || (layout->exampleText && !unsaved_->MayEditInput(modal_, this, [this] { return WriteGenerated(); }))) {
    return;
  }
  lstRules->clear();
  lstRules->addItems(layout->rules);
  // The list has no file yet: Save Rules asks for a name without proposing one.
  cdgRules.lastFile.clear();
  status->RulesFile(QString());
  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
  if (layout->exampleText) {
    SetBoxText(*txtInput, *layout->exampleText);
    status->TextFile(QString());
  }
}

void frmQuenby::LoadRulesFrom(const QString& fileName) {
  const LoadedRules loaded = LoadRulesFile(ToUtf8(fileName));
  if (loaded.status == LoadStatus::kUnreadable) {
    ReportFailure(QStringLiteral("The rules file could not be read; the rule list is unchanged."), loaded.error);
    return;
  }
  lstRules->clear();
  lstRules->addItems(ListItems(loaded.items));
  unsaved_->RulesSaved();
  AddRecentRulesFile(fileName);
  status->RulesFile(fileName);
  if (!loaded.notes.empty()) {
    constexpr std::size_t kMostNotesShown = 20;
    modal_.Message(this, WindowTitle(), FromUtf8(LoadNotesMessage(ToUtf8(fileName), loaded.notes, kMostNotesShown)));
  }
}

void frmQuenby::btnSave_Click() {
  SaveRules();
}

bool frmQuenby::SaveRules() {
  const QString fileName = AskSaveFileName(modal_, this, cdgRules);
  if (fileName.isEmpty()) {
    return false;
  }
  FileChosen(cdgRules, fileName);
  std::string error;
  if (!SaveRulesFile(ToUtf8(fileName), ItemTexts(*lstRules), error)) {
    ReportFailure(QStringLiteral("The rules could not be saved."), error);
    return false;
  }
  unsaved_->RulesSaved();
  AddRecentRulesFile(fileName);
  status->RulesFile(fileName);
  return true;
}

void frmQuenby::AskOpenText() {
  const QString fileName = modal_.OpenFileName(this, cdgText);
  if (!fileName.isEmpty()) {
    FileChosen(cdgText, fileName);
    OpenText(fileName);
  }
}

void frmQuenby::OpenText(const QString& fileName) {
  std::string error;
  const auto text = ReadTextFile(PathFromUtf8(ToUtf8(fileName)), kTextFileLimit, error);
  if (!text) {
    ReportFailure(QStringLiteral("The text could not be opened; the input text is unchanged."), error);
    return;
  }
  // A new text cannot be taken back: the question comes first.
  if (!unsaved_->MayEditInput(modal_, this, [this] { return WriteGenerated(); })) {
    return;
  }
  ClearGedOutput();
  cdgText.lastFile = fileName;
  SetBoxText(*txtInput, NormaliseLineBreaks(*text));
  status->TextFile(fileName);
}

void frmQuenby::ShowUserGuide() {
  if (userGuide_ == nullptr) {
    userGuide_ = new UserGuide(this);
  }
  userGuide_->show();
  userGuide_->raise();
  userGuide_->activateWindow();
}

void frmQuenby::btnRunRules_Click() {
  if (rulesRun_->Running()) {
    return;
  }
  rulesRun_->Start(BoxText(*txtInput), ItemTexts(*lstRules),
                   [this](std::shared_ptr<const RuleSteps> steps, std::vector<Problem> problems,
                          const RunReport& report) { RulesRun_Ended(std::move(steps), problems, report); });
}

void frmQuenby::lstRules_Change() {
  workbench->ForgetRun();
  if (RunAfterEachChange()) {
    runAfterChange_->start();
  }
}

void frmQuenby::RunAfterChange() {
  if (rulesRun_->Running()) {
    runAgain_ = true;
    rulesRun_->Cancel();
    return;
  }
  // A run empties the generated records: records not yet saved are not
  // given up for a run the user did not ask for.
  if (unsaved_->RecordsUnsaved()) {
    status->showMessage(
        QStringLiteral("The rules were not run again: the generated records are not saved. "
                       "Run Rules (F5) replaces them."));
    return;
  }
  btnRunRules_Click();
}

void frmQuenby::RulesRun_Ended(std::shared_ptr<const RuleSteps> steps, const std::vector<Problem>& problems,
                               const RunReport& report) {
  // The rules changed during the run: what it made no longer holds.
  if (std::exchange(runAgain_, false)) {
    btnRunRules_Click();
    return;
  }
  // Only a run that reached its end replaces what the window holds; a
  // cancelled one leaves the people list, the test variables and the records
  // as they were.
  if (report.cancelled) {
    return;
  }
  if (!report.stopped.empty()) {
    ReportFailure(QStringLiteral("The rules were not run to their end; the window is unchanged."), report.stopped);
    return;
  }
  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
  // One call for the whole list: adding item by item would lay out and
  // repaint the list once per person.
  lstPeople->addItems(ListItems(steps->Run().lines));
  FitRowsToWidestItem(lstPeople);
  ClearGedOutput();
  peopleViews->ShowRun(steps, problems);
  workbench->ShowRun(std::move(steps));
  // One message for the whole run, however many rules did nothing.
  if (!report.warnings.empty()) {
    modal_.Message(this, WindowTitle(), ListItems(report.warnings).join(QStringLiteral("\n")));
  }
}

void frmQuenby::ReportFailure(const QString& what, const std::string& error) {
  modal_.Message(this, WindowTitle(), what + QStringLiteral("\n\n") + FromUtf8(error));
}

}  // namespace quenby
