// Whole sessions at the window, as a new user works: building a rule list
// with the buttons and the editor, saving and loading it, running it, and
// turning the example descendant list into its GEDCOM file.

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "fake_modal.hpp"
#include "gedcom/frmSexChoice.hpp"
#include "rules/frmRule.hpp"
#include "workspace/frmQuenby.hpp"

namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) {
    items << list.item(i)->text();
  }
  return items;
}

// The user's part in the rule editor: choose the code's entry, type both
// texts, press OK.
std::function<void(QDialog&)> TypeRule(int code, const QString& search, const QString& replacement) {
  return [=](QDialog& dialog) {
    auto& editor = dynamic_cast<quenby::frmRule&>(dialog);
    const int entry = editor.cboCode->findText(QString::number(code) + ": ", Qt::MatchStartsWith);
    QVERIFY(entry >= 0);
    editor.cboCode->setCurrentIndex(entry);
    editor.txtSearch->clear();
    QTest::keyClicks(editor.txtSearch, search);
    editor.txtReplace->clear();
    QTest::keyClicks(editor.txtReplace, replacement);
    QTest::mouseClick(editor.btnOk, Qt::LeftButton);
  };
}

std::function<void(QDialog&)> ChooseDelete() {
  return [](QDialog& dialog) {
    auto& editor = dynamic_cast<quenby::frmRule&>(dialog);
    editor.cboCode->setCurrentIndex(0);
    QTest::mouseClick(editor.btnOk, Qt::LeftButton);
  };
}

std::function<void(QDialog&)> AnswerFemale(QStringList& askedFor) {
  return [&askedFor](QDialog& dialog) {
    auto& question = dynamic_cast<quenby::frmSexChoice&>(dialog);
    askedFor << question.fraFrame->title();
    QTest::mouseClick(question.optSex[2], Qt::LeftButton, {}, QPoint(6, question.optSex[2]->height() / 2));
  };
}

}  // namespace

class NewUserTest : public QObject {
  Q_OBJECT

  std::unique_ptr<FakeModal> modal_;
  NoRegistry registry_;
  std::unique_ptr<quenby::frmQuenby> window_;
  QTemporaryDir folder_;

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

 private slots:
  void init() {
    modal_ = std::make_unique<FakeModal>();
    window_ = std::make_unique<quenby::frmQuenby>(*modal_, registry_);
    window_->show();
  }

  void cleanup() {
    window_.reset();
    QCOMPARE(modal_->unexpectedQuestions, 0);
    QVERIFY(modal_->dialogScripts.empty() && modal_->fileNames.empty());
  }

  void buildsFiveRulesWithTheButtonsSavesLoadsAndRunsThem() {
    auto& w = *window_;
    auto& rules = *w.lstRules;
    w.txtInput->setPlainText("1 John b. 1852 m. (London) 12.3.1875 Mary Jones\n2 Ann b. 1876");

    modal_->dialogScripts.push_back(TypeRule(1, " b. ", "|_B_"));
    Click(w.btnAddRule);
    modal_->dialogScripts.push_back(TypeRule(42, "", "Smith"));
    Click(w.btnAddRule);
    modal_->dialogScripts.push_back(TypeRule(11, " m. ", "|_M_"));
    Click(w.btnInsertRule);  // nothing selected: the new rule comes first
    modal_->dialogScripts.push_back(TypeRule(41, "", ""));
    Click(w.btnAddRule);
    rules.setCurrentRow(3);
    Click(w.btnRuleMove[0]);  // 41 moves above 42 and stays selected
    QCOMPARE(rules.currentRow(), 2);
    modal_->dialogScripts.push_back(TypeRule(31, "Children", ""));
    Click(w.btnInsertRule);
    rules.setCurrentRow(2);
    modal_->dialogScripts.push_back(TypeRule(32, "", ""));
    Click(w.btnEditRule);  // the mistaken 31 becomes 32
    modal_->dialogScripts.push_back(TypeRule(8, "Index", ""));
    Click(w.btnAddRule);
    rules.setCurrentRow(3);
    modal_->dialogScripts.push_back(ChooseDelete());
    Click(w.btnEditRule);

    const QStringList built = {"11\t|\t m. \t|\t|_M_", "1\t|\t b. \t|\t|_B_", "32\t|\t\t|\t", "41\t|\t\t|\t",
                               "42\t|\t\t|\tSmith"};
    QCOMPARE(Items(rules), built);

    const QString file = folder_.filePath("example.rules");
    modal_->fileNames = {file, file};
    Click(w.btnSave);
    rules.clear();
    Click(w.btnLoad);
    QCOMPARE(Items(rules), built);

    Click(w.btnRunRules);
    QCOMPARE(Items(*w.lstPeople),
             QStringList({"John Smith|_B_1852", "&Mary Jones|_M_12/3/1875 (London)", "+Ann Smith|_B_1876"}));
    QVERIFY(modal_->messages.empty());
  }

  void turnsTheExampleDescendantListIntoTheExpectedFile() {
    auto& w = *window_;
    const QString examples = QStringLiteral(QUENBY_SOURCE_DIR "/examples/");
    w.txtInput->setPlainText(QString::fromUtf8(FileBytes(examples + "hartley.txt")));
    modal_->fileNames = {examples + "hartley.rules"};
    Click(w.btnLoad);
    Click(w.btnRunRules);
    QStringList askedFor;
    modal_->dialogScripts.push_back(AnswerFemale(askedFor));
    Click(w.btnDoAll);
    QCOMPARE(askedFor, QStringList{"Ann Whiteley"});

    const QString saved = folder_.filePath("hartley.ged");
    modal_->fileNames = {saved};
    Click(w.btnWrite);
    QCOMPARE(FileBytes(saved), FileBytes(examples + "hartley.ged"));
    QVERIFY(modal_->messages.empty());
  }
};

QTEST_MAIN(NewUserTest)
#include "new_user_test.moc"
