// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's people-list actions: testing one person, processing the
// test or the whole list into records, the debug listing, and saving the
// generated records as a GEDCOM file.

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <string_view>

#include "gedcom/records.hpp"
#include "people/person_line.hpp"
#include "rules/rule_list.hpp"
#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"
#include "ui/frmSexChoice.hpp"
#include "ui/qt_support.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/list_items.hpp"
#include "workspace/people_views.hpp"
#include "workspace/process_progress.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/save_format.hpp"
#include "workspace/unsaved_work.hpp"
#include "workspace/window_status.hpp"

namespace quenby {

namespace {

// A record box with nothing but blanks and line breaks holds no record.
bool IsBlank(std::string_view boxText) {
  return boxText.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A test variable shows the start of its value.
void SetDetail(QLineEdit& detail, const std::string& value) {
  detail.setText(FromUtf8(value));
  detail.setCursorPosition(0);
}

}  // namespace

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
  peopleViews->ShowProblemsOf(people);
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

}  // namespace quenby
