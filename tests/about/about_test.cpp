#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "about/frmAbout.hpp"
#include "about/program_icon.hpp"
#include "about/registry.hpp"
#include "quenby/version.hpp"
#include "workspace/fake_modal.hpp"

using quenby::RegistryValue;

namespace {

constexpr unsigned long kExpandString = 2;  // REG_EXPAND_SZ
const QString kPathValue = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString kFolderValue = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");

// Values are keyed "key|value name"; every query is recorded.
class FakeRegistry final : public quenby::Registry {
 public:
  std::optional<RegistryValue> Query(const QString& keyName, const QString& valueName) const override {
    queries.push_back(keyName + QLatin1Char('|') + valueName);
    const auto found = values.find(queries.back());
    return found == values.end() ? std::nullopt : std::optional(found->second);
  }
  bool FileExists(const QString& path) const override { return files.contains(path); }

  std::map<QString, RegistryValue> values;
  QStringList files;
  mutable QStringList queries;
};

RegistryValue Text(const QString& text) {
  return RegistryValue{quenby::kRegistryString, text, 0};
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void showsItsTextsAndOkClosesIt() {
    FakeModal modal;
    FakeRegistry registry;
    quenby::frmAbout about(modal, registry);
    QCOMPARE(about.windowTitle(), QStringLiteral("About Quenby"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Quenby \u00AE"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version ") + QLatin1String(quenby::kVersionText));
    QCOMPARE(about.lblDescription->text(),
             QStringLiteral("This program takes text (eg: from a web page) and runs through a list of user-defined "
                            "rules in order to get the text into a list of people with the GED data identified.\r\n\r\n"
                            "Once the list of people has been generated, the list can be saved as a GEDCOM "
                            "compatible file."));
    QVERIFY(!about.lblDisclaimer->text().isEmpty() && !about.lblDisclaimer->text().contains(QLatin1Char('\n')));
    about.show();
    QTest::mouseClick(about.cmdOk, Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

  // The images live in a static library; a program that did not pull them
  // in would show no icon at all.
  void programIconComesInEverySize() {
    const QIcon icon = quenby::ProgramIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
    }
  }

  void systemInfoStartsTheToolOrShowsTheMessageAndStaysOpen_data() {
    QTest::addColumn<std::optional<RegistryValue>>("path");
    QTest::addColumn<std::optional<RegistryValue>>("folder");
    QTest::addColumn<bool>("toolInFolder");
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QStringList>("queries");
    QTest::addColumn<QString>("started");  // "-" when nothing was started

    const std::optional<RegistryValue> none;
    const auto path = std::optional(Text("C:\\Info\\msinfo32.exe"));
    const auto folder = std::optional(Text("C:\\Tools"));
    const QStringList both = {kPathValue, kFolderValue};
    QTest::newRow("path found, folder never asked")
        << path << folder << true << true << QStringList{kPathValue} << "C:\\Info\\msinfo32.exe";
    QTest::newRow("folder with the tool") << none << folder << true << true << both << "C:\\Tools\\MSINFO32.EXE";
    QTest::newRow("folder without the tool") << none << folder << false << true << both << "-";
    QTest::newRow("nothing found") << none << none << true << true << both << "-";
    QTest::newRow("path of unexpected type")
        << std::optional(RegistryValue{kExpandString, QStringLiteral("C:\\x.exe"), 0}) << folder << true << true
        << QStringList{kPathValue} << "";
    QTest::newRow("tool fails to start") << path << none << true << false << QStringList{kPathValue}
                                         << "C:\\Info\\msinfo32.exe";
  }
  void systemInfoStartsTheToolOrShowsTheMessageAndStaysOpen() {
    QFETCH(std::optional<RegistryValue>, path);
    QFETCH(std::optional<RegistryValue>, folder);
    QFETCH(bool, toolInFolder);
    QFETCH(bool, startWorks);
    QFETCH(QStringList, queries);
    QFETCH(QString, started);
    FakeRegistry registry;
    if (path) registry.values[kPathValue] = *path;
    if (folder) registry.values[kFolderValue] = *folder;
    if (toolInFolder) registry.files = {QStringLiteral("C:\\Tools\\MSINFO32.EXE")};
    FakeModal modal;
    modal.programsStart = startWorks;
    quenby::frmAbout about(modal, registry);
    about.show();

    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);

    QCOMPARE(registry.queries, queries);
    QCOMPARE(modal.startedPrograms, started == "-" ? std::vector<QString>{} : std::vector<QString>{started});
    const bool toolRuns = started != "-" && !started.isEmpty() && startWorks;
    QCOMPARE(modal.messages, toolRuns ? std::vector<QString>{}
                                      : std::vector<QString>{"Quenby: System Information Is Unavailable At This Time"});
    QVERIFY(about.isVisible());
  }

  void getKeyValueReadsEachTypeOfValue_data() {
    QTest::addColumn<std::optional<RegistryValue>>("value");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text");
    QTest::newRow("string cut at its first zero")
        << std::optional(Text(QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"))) << true << "ab";
    QTest::newRow("number") << std::optional(RegistryValue{quenby::kRegistryNumber, {}, 4294967295UL}) << true
                            << "4294967295";
    QTest::newRow("other type keeps the text passed")
        << std::optional(RegistryValue{kExpandString, QStringLiteral("x"), 0}) << true << "passed";
    QTest::newRow("absent") << std::optional<RegistryValue>() << false << "";
  }
  void getKeyValueReadsEachTypeOfValue() {
    QFETCH(std::optional<RegistryValue>, value);
    QFETCH(bool, read);
    QFETCH(QString, text);
    FakeRegistry registry;
    if (value) registry.values[QStringLiteral("K|V")] = *value;
    QString keyValue = QStringLiteral("passed");
    QCOMPARE(quenby::GetKeyValue(registry, QStringLiteral("K"), QStringLiteral("V"), keyValue), read);
    QCOMPARE(keyValue, text);
  }

#ifndef _WIN32
  void standInRegistryAnswersThePathLookUpWithAProgramOnThePath() {
    QTemporaryDir dir;
    const QByteArray savedPath = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&savedPath] { qputenv("PATH", savedPath); });
    qputenv("PATH", QFile::encodeName(dir.path()));
    const auto registry = quenby::MakeSystemRegistry();
    const auto [key, name] = std::pair(kPathValue.section('|', 0, 0), kPathValue.section('|', 1));
    QVERIFY(!registry->Query(key, name));

    for (const QString& program : {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2")}) {
      QFile file(dir.filePath(program));
      QVERIFY(file.open(QIODevice::WriteOnly));
      QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
      QString found;
      QVERIFY(quenby::GetKeyValue(*registry, key, name, found));
      QCOMPARE(found, dir.filePath(program));
    }
    QVERIFY(!registry->Query(kFolderValue.section('|', 0, 0), kFolderValue.section('|', 1)));
    QVERIFY(registry->FileExists(dir.filePath(QStringLiteral("hardinfo"))));
    QVERIFY(!registry->FileExists(dir.path()));
  }
#endif
};

QTEST_MAIN(AboutBoxTest)
#include "about_test.moc"
