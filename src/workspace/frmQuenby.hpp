// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: the pasted text, the rule list with its buttons, the people
// list, the ten test variables and the generated GEDCOM records. The text of
// the controls is the system's state; the handlers read controls, call the
// core and write controls. Every modal question goes through `Modal`.

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"
#include "gedcom/records.hpp"
#include "people/person_line.hpp"
#include "ui/modal.hpp"
#include "workspace/focus_return.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quenby {

class Registry;
class RulesRun;
class frmAbout;
class frmRule;
class frmSexChoice;
class FindBar;
class WindowStatus;
class Workbench;
class PeopleViews;
class UnsavedWork;
class UserGuide;

class frmQuenby : public QWidget {
  Q_OBJECT

 public:
  frmQuenby(Modal& modal, const Registry& registry, QWidget* parent = nullptr);
  ~frmQuenby() override;
  frmQuenby(const frmQuenby&) = delete;
  frmQuenby& operator=(const frmQuenby&) = delete;

  // The window's caption, which also titles its messages.
  static QString WindowTitle();

  // Empties the ten test variables.
  void ClearDetails();
  // Empties the generated records and numbers families and notes from 1 again.
  void ClearGedOutput();

  // Loads a rules file into the rule list, asking first about unsaved changes.
  void LoadRules(const QString& fileName);
  // Replaces the rule list by an example layout's rules, as a list not yet
  // saved, asking first about unsaved changes; the layout's example text
  // goes into the input text when the user asks for it.
  void NewRulesFromLayout();
  // Reads a text file into the input text.
  void OpenText(const QString& fileName);
  // Asks for a text file and opens it.
  void AskOpenText();
  void ShowUserGuide();

  QLabel* Label1 = nullptr;
  QPlainTextEdit* txtInput = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* lstRules = nullptr;
  std::array<QPushButton*, 2> btnRuleMove{};
  QPushButton* btnEditRule = nullptr;
  QPushButton* btnInsertRule = nullptr;
  QPushButton* btnAddRule = nullptr;
  QPushButton* btnLoad = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnRunRules = nullptr;
  QLabel* Label6 = nullptr;
  QListWidget* lstPeople = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label17 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label19 = nullptr;
  std::array<QLineEdit*, 10> txtDetails{};
  QPushButton* btnTestOne = nullptr;
  QPushButton* btnDoOne = nullptr;
  QPushButton* btnDoAll = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QPlainTextEdit* txtINDI = nullptr;
  QPlainTextEdit* txtFAM = nullptr;
  QPushButton* btnWrite = nullptr;
  QPushButton* btnHelp = nullptr;
  QPushButton* cmdDebugPeople = nullptr;
  // Edit > Find's row, under the record boxes.
  FindBar* findBar = nullptr;
  // The status bar, which also keeps the window's title.
  WindowStatus* status = nullptr;
  // The views of the last run beside the lists: its steps, and more.
  Workbench* workbench = nullptr;
  // The tree, the problems and the source marks of the people list.
  PeopleViews* peopleViews = nullptr;

  FileDialogSettings cdgRules;
  FileDialogSettings cdgWrite;
  FileDialogSettings cdgText;

  // The numbers of the next family record (@F1@ ...) and note record (@NI1@ ...).
  std::int64_t NextFamNumber = 1;
  std::int64_t NextNoteNumber = 1;
  // The persons of the generated records whose sex nobody chose ("I3").
  std::vector<std::string> DefaultSexIds;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void SetTabOrder();
  void ConnectHandlers();

  void Form_Load();
  void Form_Unload();
  void btnHelp_Click();
  // The input text changed: what was derived from it is discarded, after
  // asking about records not yet saved; Cancel takes the edit back.
  void txtInput_Change();

  void btnRuleMove_Click(int index);
  void btnEditRule_Click();
  void btnInsertRule_Click();
  void btnAddRule_Click();
  // One use of the rule editor: the answer GetRule gives after the dialog.
  QString AskRuleEditor(const QString& title, const QString& item, bool editing);

  void btnLoad_Click();
  void btnSave_Click();
  void LoadRulesFrom(const QString& fileName);
  // Each true when the file was written.
  bool SaveRules();
  bool WriteGenerated();
  // Remembers a chosen file and its folder for the next dialogs.
  void FileChosen(FileDialogSettings& dialog, const QString& fileName);
  void btnRunRules_Click();
  // A run of the rules ended: its people list replaces the window's, and
  // the workbench shows what its rules did.
  void RulesRun_Ended(std::shared_ptr<const RuleSteps> steps, const std::vector<Problem>& problems,
                      const RunReport& report);
  // The rule list changed: the last run's counts and steps no longer hold;
  // with "Run rules after each change" the rules run again.
  void lstRules_Change();
  // Runs the rules after a change; a run still going is stopped and started
  // again, once however many changes came meanwhile.
  void RunAfterChange();

  void lstPeople_Click();
  void btnTestOne_Click();
  void btnDoOne_Click();
  void btnDoAll_Click();
  void cmdDebugPeople_Click();
  void btnWrite_Click();

  void ParsePersonLine(int personIndex);
  void BuildIndiRecord(int personIndex);
  void BuildFamRecord(int personIndex);
  TestVariables ReadDetails() const;
  // Asks the sex of the named person: "M" for Male, otherwise "F", stated
  // only when Male or Female was chosen. Only "Process all" offers to answer
  // for everyone else.
  SexAnswer AskSex(const std::string& nameWithoutSlashes, bool inProcessAll);
  void EmptyPeopleList();
  void ReportFailure(const QString& what, const std::string& error);

  // Every question gives the focus back to the control that had it.
  FocusReturningModal modal_;
  const Registry& registry_;
  frmRule* ruleEditor_ = nullptr;
  frmSexChoice* sexChoice_ = nullptr;
  frmAbout* aboutBox_ = nullptr;
  UserGuide* userGuide_ = nullptr;
  UnsavedWork* unsaved_ = nullptr;
  RulesRun* rulesRun_ = nullptr;
  // Gathers the changes of one action into one run after it.
  QTimer* runAfterChange_ = nullptr;
  bool runAgain_ = false;
  // "Process all" is running; the user asked to stop it and close.
  bool processingAll_ = false;
  bool stopProcessingAll_ = false;
  // The input text's redo steps after its last change, which tell an undo
  // (one more) from any other edit; set while an edit is taken back.
  int inputRedoSteps_ = 0;
  bool takingBackEdit_ = false;
};

}  // namespace quenby
