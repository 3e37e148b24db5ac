// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/frmQuenby.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <limits>
#include <string_view>
#include <utility>

#include "engine/engine.hpp"
#include "gedcom/records.hpp"
#include "people/person_line.hpp"
#include "rules/catalogue.hpp"
#include "rules/rule_list.hpp"
#include "rules/rules_file.hpp"
#include "text/encoding.hpp"
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
#include "workspace/list_tab_stops.hpp"
#include "workspace/main_menu.hpp"
#include "workspace/process_progress.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/rules_run.hpp"
#include "workspace/save_format.hpp"
#include "workspace/unsaved_work.hpp"
#include "workspace/user_guide.hpp"
#include "workspace/window_layout.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/window_status.hpp"

namespace quenby {

namespace {

// The window's caption, which also titles its messages.
QString WindowTitle() {
  return QStringLiteral("Quenby");
}

// A control of the window, named as the form names it. Its place and size
// are the window layout's concern.
template <typename Control, typename... Args>
Control* Make(QWidget* parent, const char* name, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)..., parent);
  control->setObjectName(QLatin1String(name));
  return control;
}

// A record box with nothing but blanks and line breaks holds no record.
bool IsBlank(std::string_view boxText) {
  return boxText.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A test variable shows the start of its value.
void SetDetail(QLineEdit& detail, const std::string& value) {
  detail.setText(FromUtf8(value));
  detail.setCursorPosition(0);
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

long SelectedRow(const QListWidget& list) {
  const QModelIndexList rows = list.selectionModel()->selectedRows();
  return rows.isEmpty() ? kNoSelection : rows.first().row();
}

std::vector<std::string> ItemTexts(const QListWidget& list) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(list.count()));
  for (int i = 0; i < list.count(); ++i) {
    texts.push_back(ToUtf8(list.item(i)->text()));
  }
  return texts;
}

QStringList ListItems(const std::vector<std::string>& texts) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) {
    items << FromUtf8(text);
  }
  return items;
}

}  // namespace

frmQuenby::frmQuenby(Modal& modal, const Registry& registry, QWidget* parent)
    : QWidget(parent), modal_(modal, *this), registry_(registry) {
  CreateControls();
  SetTabOrder();
  ArrangeMainWindow(*this);
  layout()->setMenuBar(MakeMainMenu(*this));
  unsaved_ = new UnsavedWork(*lstRules, *txtINDI, *txtFAM, this);
  connect(unsaved_, &UnsavedWork::Changed, status, &WindowStatus::Unsaved);
  new FileDrop(*this);
  rulesRun_ = new RulesRun(*this);
  ConnectHandlers();
  Form_Load();
  RestoreWindowGeometry(*this, DefaultWindowSize(*this));
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
  }
  inputRedoSteps_ = input.availableRedoSteps();
}

QString frmQuenby::AskRuleEditor(const QString& title, const QString& item, bool editing) {
  if (ruleEditor_ == nullptr) {
    ruleEditor_ = new frmRule(this);
  }
  ruleEditor_->SetRule(item);
  if (editing) {
    ruleEditor_->cboCode->insertItem(0, FromUtf8(kDeleteEntryText));
  }
  ruleEditor_->setWindowTitle(title);
  modal_.Exec(*ruleEditor_);
  const QString answer = ruleEditor_->GetRule();
  if (editing) {
    ruleEditor_->cboCode->removeItem(0);
  }
  return answer;
}

void frmQuenby::btnAddRule_Click() {
  const std::size_t position = AddPosition(static_cast<std::size_t>(lstRules->count()), SelectedRow(*lstRules));
  const QString answer = AskRuleEditor(QStringLiteral("Add Rule"), QString(), false);
  if (ClassifyEditorAnswer(ToUtf8(answer)) == EditorAnswer::kRule) {
    lstRules->insertItem(static_cast<int>(position), answer);
  }
}

void frmQuenby::btnInsertRule_Click() {
  const std::size_t position = InsertPosition(static_cast<std::size_t>(lstRules->count()), SelectedRow(*lstRules));
  const QString answer = AskRuleEditor(QStringLiteral("Insert Rule"), QString(), false);
  if (ClassifyEditorAnswer(ToUtf8(answer)) == EditorAnswer::kRule) {
    lstRules->insertItem(static_cast<int>(position), answer);
  }
}

void frmQuenby::btnEditRule_Click() {
  const long selected = SelectedRow(*lstRules);
  if (selected == kNoSelection) {
    return;
  }
  const int position = static_cast<int>(selected);
  const QString answer = AskRuleEditor(QStringLiteral("Edit / Delete Rule"), lstRules->item(position)->text(), true);
  switch (ClassifyEditorAnswer(ToUtf8(answer))) {
    case EditorAnswer::kCancelled:
      break;
    case EditorAnswer::kDelete:
      delete lstRules->takeItem(position);
      break;
    case EditorAnswer::kRule:
      lstRules->item(position)->setText(answer);
      break;
  }
}

void frmQuenby::btnRuleMove_Click(int index) {
  const long selected = SelectedRow(*lstRules);
  const auto target = MoveTarget(static_cast<std::size_t>(lstRules->count()), selected, index);
  if (!target) {
    return;
  }
  QListWidgetItem* from = lstRules->item(static_cast<int>(selected));
  QListWidgetItem* to = lstRules->item(static_cast<int>(*target));
  const QString moving = from->text();
  from->setText(to->text());
  to->setText(moving);
  lstRules->setCurrentRow(static_cast<int>(*target));
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
                   [this](LineList people, const RunReport& report) { RulesRun_Ended(std::move(people), report); });
}

void frmQuenby::RulesRun_Ended(LineList people, const RunReport& report) {
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
  lstPeople->addItems(ListItems(people));
  FitRowsToWidestItem(lstPeople);
  ClearGedOutput();
  // One message for the whole run, however many rules did nothing.
  if (!report.warnings.empty()) {
    modal_.Message(this, WindowTitle(), ListItems(report.warnings).join(QStringLiteral("\n")));
  }
}

void frmQuenby::lstPeople_Click() {
  ClearDetails();
}

void frmQuenby::btnTestOne_Click() {
  const long selected = SelectedRow(*lstPeople);
  if (selected != kNoSelection) {
    ParsePersonLine(static_cast<int>(selected));
  }
}

void frmQuenby::btnDoOne_Click() {
  const long selected = SelectedRow(*lstPeople);
  if (selected == kNoSelection || txtDetails[kFullName]->text().isEmpty()) {
    return;
  }
  const std::int64_t families = NextFamNumber;
  BuildIndiRecord(static_cast<int>(selected));
  BuildFamRecord(static_cast<int>(selected));
  status->RecordsAdded(1, NextFamNumber - families);
}

void frmQuenby::btnDoAll_Click() {
  ClearGedOutput();
  const PeopleList people = ItemTexts(*lstPeople);
  ProcessAllProgress progress(this, people.size());
  processingAll_ = true;
  stopProcessingAll_ = false;
  const GeneratedRecords records = ProcessAll(
      people, [this](const std::string& name) { return AskSex(name, true); },
      [this, &progress](std::size_t processed, std::size_t total) {
        return progress.Step(processed, total) && !stopProcessingAll_;
      });
  processingAll_ = false;
  progress.Finish();
  // Each box is filled in one go, which costs time in proportion to the text.
  SetRecordBoxText(*txtINDI, records.indi);
  SetRecordBoxText(*txtFAM, records.fam);
  NextFamNumber = records.nextFamNumber;
  NextNoteNumber = records.nextNoteNumber;
  DefaultSexIds = records.defaultSexIds;
  status->RecordsAdded(static_cast<std::int64_t>(records.processed), records.nextFamNumber - 1);
  // A cancelled run changes nothing but the records.
  if (!progress.Cancelled() && !stopProcessingAll_) {
    ClearDetails();
  }
  if (stopProcessingAll_) {
    close();
  }
}

void frmQuenby::cmdDebugPeople_Click() {
  std::string listing;
  for (int i = 0; i < lstPeople->count(); ++i) {
    listing += ToUtf8(lstPeople->item(i)->text());
    listing += kCrLf;
  }
  const QString path = QDir::current().absoluteFilePath(QStringLiteral("Debug.txt"));
  std::string error;
  if (!WriteFileAtomically(PathFromUtf8(ToUtf8(path)), EncodeTextFile(listing).bytes, error)) {
    ReportFailure(QStringLiteral("The people list could not be written."), error);
    return;
  }
  status->DebugListing(path);
  if (!modal_.OpenDocument(path)) {
    modal_.Message(this, WindowTitle(),
                   QStringLiteral("The people list was written to %1, but no program opened it.")
                       .arg(QDir::toNativeSeparators(path)));
  }
}

void frmQuenby::btnWrite_Click() {
  WriteGenerated();
}

bool frmQuenby::WriteGenerated() {
  const std::string indi = BoxText(*txtINDI);
  const std::string fam = BoxText(*txtFAM);
  if (IsBlank(indi) && IsBlank(fam) &&
      !modal_.Confirm(this, WindowTitle(),
                      QStringLiteral("There are no generated records: the file would hold no person.\n"
                                     "Save it all the same?"))) {
    return false;
  }
  cdgWrite.selectedFilter = RememberedSaveFilter();
  QString filter;
  const QString fileName = AskSaveFileName(modal_, this, cdgWrite, &filter);
  if (fileName.isEmpty()) {
    return false;
  }
  FileChosen(cdgWrite, fileName);
  std::string error;
  if (!SaveGeneratedFile(fileName, filter, indi, fam, DefaultSexIds, error)) {
    ReportFailure(QStringLiteral("The GEDCOM file could not be saved; the generated records are kept."), error);
    return false;
  }
  unsaved_->RecordsSaved();
  status->Saved(fileName);
  return true;
}

void frmQuenby::ParsePersonLine(int personIndex) {
  ClearDetails();
  const TestVariables details = quenby::ParsePersonLine(ToUtf8(lstPeople->item(personIndex)->text()));
  for (std::size_t i = 0; i < details.size(); ++i) {
    SetDetail(*txtDetails[i], details[i]);
  }
}

TestVariables frmQuenby::ReadDetails() const {
  TestVariables details;
  for (std::size_t i = 0; i < details.size(); ++i) {
    details[i] = ToUtf8(txtDetails[i]->text());
  }
  return details;
}

void frmQuenby::BuildIndiRecord(int personIndex) {
  TestVariables details = ReadDetails();
  if (details[kSex].empty()) {
    if (!SettleSex(details, [this](const std::string& name) { return AskSex(name, false); })) {
      DefaultSexIds.push_back(PersonIdentifier(static_cast<std::size_t>(personIndex)));
    }
    SetDetail(*txtDetails[kSex], details[kSex]);
  }
  AppendRecordText(*txtINDI, quenby::BuildIndiRecord(details, static_cast<std::size_t>(personIndex), NextNoteNumber));
}

void frmQuenby::BuildFamRecord(int personIndex) {
  AppendRecordText(*txtFAM, quenby::BuildFamRecord(ItemTexts(*lstPeople), static_cast<std::size_t>(personIndex),
                                                   ReadDetails(), NextFamNumber));
}

SexAnswer frmQuenby::AskSex(const std::string& nameWithoutSlashes, bool inProcessAll) {
  if (sexChoice_ == nullptr) {
    sexChoice_ = new frmSexChoice(this);
  }
  sexChoice_->SetPersonName(FromUtf8(nameWithoutSlashes));
  sexChoice_->OfferEveryoneElse(inProcessAll);
  modal_.Exec(*sexChoice_);
  return {sexChoice_->IsMale() ? "M" : "F", sexChoice_->WasAnswered(),
          inProcessAll && sexChoice_->chkEveryoneElse->isChecked()};
}

void frmQuenby::ReportFailure(const QString& what, const std::string& error) {
  modal_.Message(this, WindowTitle(), what + QStringLiteral("\n\n") + FromUtf8(error));
}

}  // namespace quenby
