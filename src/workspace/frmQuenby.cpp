#include "workspace/frmQuenby.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <limits>
#include <string_view>
#include <utility>

#include "about/frmAbout.hpp"
#include "engine/engine.hpp"
#include "gedcom/frmSexChoice.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "people/person_line.hpp"
#include "rules/catalogue.hpp"
#include "rules/frmRule.hpp"
#include "rules/rule_list.hpp"
#include "rules/rules_file.hpp"
#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/list_tab_stops.hpp"
#include "workspace/qt_support.hpp"

namespace quenby {

namespace {

// The largest and smallest font, in pixels, that the window tries; 11 pixels
// is 8 points at 96 dots per inch.
constexpr int kLargestFontPixels = 11;
constexpr int kSmallestFontPixels = 8;

// The window's caption, which also titles its messages.
QString WindowTitle() {
  return QStringLiteral("Quenby");
}

template <typename Control, typename... Args>
Control* Make(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)..., parent);
  control->setObjectName(QLatin1String(name));
  control->setGeometry(TwipsRect(left, top, width, height));
  return control;
}

// The text of a multi-line box with CR LF line breaks. The raw text keeps
// non-breaking spaces, which pasted web pages are full of and which the box's
// plain-text view would turn into ordinary spaces.
std::string BoxText(const QPlainTextEdit& box) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return LfToCrLf(ToUtf8(text));
}

void SetBoxText(QPlainTextEdit& box, std::string_view crLfText) {
  box.setPlainText(FromUtf8(CrLfToLf(crLfText)));
}

void AppendBoxText(QPlainTextEdit& box, std::string_view crLfText) {
  QTextCursor end(box.document());
  end.movePosition(QTextCursor::End);
  end.insertText(FromUtf8(CrLfToLf(crLfText)));
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* box = Make<QPlainTextEdit>(parent, name, left, top, width, height);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

QListWidget* MakeList(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* list = Make<QListWidget>(parent, name, left, top, width, height);
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

bool CaptionsFit(const QWidget& window) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    const QFontMetrics metrics = label->fontMetrics();
    if (metrics.horizontalAdvance(label->text()) > label->width() || metrics.height() > label->height()) {
      return false;
    }
  }
  for (const CaptionButton* button : window.findChildren<CaptionButton*>()) {
    const QFontMetrics metrics = button->fontMetrics();
    const QRect area = button->CaptionArea();
    const QStringList lines = CaptionLines(button->text(), metrics, area.width());
    if (lines.size() * metrics.lineSpacing() - metrics.leading() > area.height()) {
      return false;
    }
    for (const QString& line : lines) {
      if (metrics.horizontalAdvance(line) > area.width()) {
        return false;
      }
    }
  }
  return true;
}

// The controls keep their places and sizes whatever the font, so the window
// takes the largest font at which every caption fits its control.
void FitCaptionFont(QWidget& window) {
  QFont font = window.font();
  for (int pixels = kLargestFontPixels; pixels >= kSmallestFontPixels; --pixels) {
    font.setPixelSize(pixels);
    window.setFont(font);
    if (CaptionsFit(window)) {
      return;
    }
  }
}

}  // namespace

frmQuenby::frmQuenby(Modal& modal, const Registry& registry, QWidget* parent)
    : QWidget(parent), modal_(modal), registry_(registry) {
  CreateControls();
  SetTabOrder();
  FitCaptionFont(*this);
  ConnectHandlers();
  Form_Load();
}

void frmQuenby::CreateControls() {
  setWindowTitle(WindowTitle());
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(TwipsToPixels(9735), TwipsToPixels(12510));

  Label1 =
      Make<QLabel>(this, "Label1", 240, 240, 3735, 255, QStringLiteral("Paste text to parse here (can be edited)..."));
  txtInput = MakeTextBox(this, "txtInput", 240, 480, 9255, 1995);
  Label2 = Make<QLabel>(this, "Label2", 240, 2640, 9255, 255,
                        QStringLiteral("Rules (first rules runs once on each line of text above, then the next rule, "
                                       "etc)... "));
  lstRules = MakeList(this, "lstRules", 240, 2880, 6135, 2025);
  btnRuleMove[0] = Make<ArrowButton>(this, "btnRuleMove(0)", 6480, 2880, 375, 975, QStringLiteral("^    |  "),
                                     ArrowButton::Direction::kUp);
  btnRuleMove[1] = Make<ArrowButton>(this, "btnRuleMove(1)", 6480, 3960, 375, 975, QStringLiteral("|    v  "),
                                     ArrowButton::Direction::kDown);
  btnEditRule = Make<CaptionButton>(this, "btnEditRule", 6960, 2880, 1215, 615,
                                    QStringLiteral("       Edit         (or delete)"));
  btnInsertRule =
      Make<CaptionButton>(this, "btnInsertRule", 6960, 3600, 1215, 615, QStringLiteral("  Insert    (above)"));
  btnAddRule = Make<CaptionButton>(this, "btnAddRule", 6960, 4320, 1215, 615, QStringLiteral("    Add      (after)"));
  btnLoad = Make<CaptionButton>(this, "btnLoad", 8280, 2880, 1215, 975, QStringLiteral("Load Rules"));
  btnSave = Make<CaptionButton>(this, "btnSave", 8280, 3960, 1215, 975, QStringLiteral("Save Rules"));
  btnRunRules = Make<CaptionButton>(this, "btnRunRules", 240, 5040, 9255, 615, QStringLiteral("Run Rules"));

  Label6 = Make<QLabel>(this, "Label6", 240, 5760, 6135, 255, QStringLiteral("People List (results of rules)..."));
  lstPeople = MakeList(this, "lstPeople", 240, 6000, 6135, 2400);
  Label7 = Make<QLabel>(this, "Label7", 7800, 5760, 1935, 255, QStringLiteral("Test var's (editable)..."));

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
    const int top = 6000 + 240 * static_cast<int>(i);
    const DetailRow& row = kDetailRows[i];
    this->*row.label = Make<QLabel>(this, row.labelName, 6480, top, 1335, 255, QString::fromLatin1(row.labelText));
    txtDetails[i] = Make<QLineEdit>(this, row.boxName, 7800, top, 1695, 285);
    // A test variable holds a whole field of a person line, however long.
    txtDetails[i]->setMaxLength(std::numeric_limits<int>::max());
  }

  btnTestOne =
      Make<CaptionButton>(this, "btnTestOne", 240, 8520, 3015, 615, QStringLiteral("Test individual selected above"));
  btnDoOne = Make<CaptionButton>(this, "btnDoOne", 3360, 8520, 3015, 615, QStringLiteral("Process the test"));
  btnDoAll = Make<CaptionButton>(this, "btnDoAll", 6480, 8520, 3015, 615, QStringLiteral("Process all"));
  Label8 = Make<QLabel>(this, "Label8", 240, 9240, 4695, 255, QStringLiteral("Individuals [GED]"));
  Label9 = Make<QLabel>(this, "Label9", 4920, 9240, 4695, 255, QStringLiteral("Families [GED]"));
  txtINDI = MakeTextBox(this, "txtINDI", 240, 9480, 4575, 1995);
  txtFAM = MakeTextBox(this, "txtFAM", 4920, 9480, 4575, 1995);
  btnWrite = Make<CaptionButton>(this, "btnWrite", 240, 11640, 9255, 615, QStringLiteral("Save generated file"));
  btnHelp = Make<CaptionButton>(this, "btnHelp", 9240, 120, 255, 255, QStringLiteral("?"));
  cmdDebugPeople =
      Make<CaptionButton>(this, "cmdDebugPeople", 7320, 120, 1815, 255, QStringLiteral("Debug People List"));

  cdgRules.title = QStringLiteral("Load/Save Quenby Rules");
  cdgRules.filter = QStringLiteral("Quenby Rules (*.rules)|*.rules|All Files (*.*)|*.*");
  cdgWrite.title = QStringLiteral("Save Quenby GED file");
  cdgWrite.filter = QStringLiteral("Gedcom (*.ged)|*.ged|All Files (*.*)|*.*");
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
  txtInput->viewport()->installEventFilter(this);
}

void frmQuenby::Form_Load() {
  SetListTabStops(lstRules, {20, 40, 140, 160});
  const QString programDirectory = QCoreApplication::applicationDirPath();
  cdgRules.directory = programDirectory;
  cdgWrite.directory = programDirectory;
}

void frmQuenby::closeEvent(QCloseEvent* event) {
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
}

void frmQuenby::EmptyPeopleList() {
  lstPeople->clear();
}

bool frmQuenby::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtInput->viewport()) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
      txtInput_MouseDown(static_cast<QMouseEvent*>(event)->button());
    } else if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
      // A middle click selects the whole input text; the box must not also
      // paste the selection clipboard into it.
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmQuenby::txtInput_MouseDown(Qt::MouseButton button) {
  // Placing the caret must not scroll the text away from where the user
  // clicked: the box's own handling of the press follows.
  QScrollBar* scrollBar = txtInput->verticalScrollBar();
  const int scrolled = scrollBar->value();
  QTextCursor cursor = txtInput->textCursor();
  if (button == Qt::LeftButton) {
    cursor.setPosition(0);
  } else {
    cursor.select(QTextCursor::Document);
  }
  txtInput->setTextCursor(cursor);
  scrollBar->setValue(scrolled);

  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
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
  const QString fileName = modal_.OpenFileName(this, cdgRules);
  if (!fileName.isEmpty()) {
    cdgRules.lastFile = fileName;
    const LoadedRules loaded = LoadRulesFile(ToUtf8(fileName));
    if (loaded.status == LoadStatus::kUnreadable) {
      ReportFailure(QStringLiteral("The rules file could not be read; the rule list is unchanged."), loaded.error);
    } else {
      lstRules->clear();
      lstRules->addItems(ListItems(loaded.items));
    }
  }
  EmptyPeopleList();
  ClearDetails();
  ClearGedOutput();
}

void frmQuenby::btnSave_Click() {
  const QString fileName = modal_.SaveFileName(this, cdgRules);
  if (fileName.isEmpty()) {
    return;
  }
  cdgRules.lastFile = fileName;
  std::string error;
  if (!SaveRulesFile(ToUtf8(fileName), ItemTexts(*lstRules), error)) {
    ReportFailure(QStringLiteral("The rules could not be saved."), error);
  }
}

void frmQuenby::btnRunRules_Click() {
  // The run comes first: a run that stops leaves the window as it was.
  RunReport report;
  const LineList people = RunRules(BoxText(*txtInput), ItemTexts(*lstRules), report);
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
  ClearGedOutput();
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
  BuildIndiRecord(static_cast<int>(selected));
  BuildFamRecord(static_cast<int>(selected));
}

void frmQuenby::btnDoAll_Click() {
  ClearGedOutput();
  const GeneratedRecords records =
      ProcessAll(ItemTexts(*lstPeople), [this](const std::string& name) { return AskSex(name); });
  SetBoxText(*txtINDI, records.indi);
  SetBoxText(*txtFAM, records.fam);
  NextFamNumber = records.nextFamNumber;
  NextNoteNumber = records.nextNoteNumber;
  ClearDetails();
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
  modal_.OpenDocument(path);
}

void frmQuenby::btnWrite_Click() {
  const QString fileName = modal_.SaveFileName(this, cdgWrite);
  if (fileName.isEmpty()) {
    return;
  }
  cdgWrite.lastFile = fileName;
  std::string error;
  if (!WriteGedcomFile(ToUtf8(fileName), BoxText(*txtINDI), BoxText(*txtFAM), error)) {
    ReportFailure(QStringLiteral("The GEDCOM file could not be saved; the generated records are kept."), error);
  }
}

void frmQuenby::ParsePersonLine(int personIndex) {
  ClearDetails();
  const TestVariables details = quenby::ParsePersonLine(ToUtf8(lstPeople->item(personIndex)->text()));
  for (std::size_t i = 0; i < details.size(); ++i) {
    txtDetails[i]->setText(FromUtf8(details[i]));
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
    SettleSex(details, [this](const std::string& name) { return AskSex(name); });
    txtDetails[kSex]->setText(FromUtf8(details[kSex]));
  }
  AppendBoxText(*txtINDI, quenby::BuildIndiRecord(details, static_cast<std::size_t>(personIndex), NextNoteNumber));
}

void frmQuenby::BuildFamRecord(int personIndex) {
  AppendBoxText(*txtFAM, quenby::BuildFamRecord(ItemTexts(*lstPeople), static_cast<std::size_t>(personIndex),
                                                ReadDetails(), NextFamNumber));
}

std::string frmQuenby::AskSex(const std::string& nameWithoutSlashes) {
  if (sexChoice_ == nullptr) {
    sexChoice_ = new frmSexChoice(this);
  }
  sexChoice_->SetPersonName(FromUtf8(nameWithoutSlashes));
  modal_.Exec(*sexChoice_);
  return sexChoice_->IsMale() ? "M" : "F";
}

void frmQuenby::ReportFailure(const QString& what, const std::string& error) {
  modal_.Message(this, WindowTitle(), what + QStringLiteral("\n\n") + FromUtf8(error));
}

}  // namespace quenby
