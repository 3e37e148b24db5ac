// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QPushButton>
#include <map>

#include "ui/frmAbout.hpp"
#include "ui/registry.hpp"
#include "workspace/fake_modal.hpp"

using quenby::RegistryValue;

namespace {

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
  bool FileExists(const QString& path) const override { return path == QStringLiteral("C:\\Tools\\MSINFO32.EXE"); }

  std::map<QString, RegistryValue> values;
  mutable QStringList queries;
};

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // A string value is read up to its first zero character; a value of
  // another type leaves no path.
  void systemInfoStartsTheToolOrShowsTheMessageAndStaysOpen_data() {
    QTest::addColumn<std::optional<RegistryValue>>("path");
    QTest::addColumn<QString>("folder");  // empty: no folder value
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QString>("started");  // "-": nothing was started
    const QString tool = QStringLiteral("C:\\Info\\msinfo32.exe");
    const auto path = std::optional(RegistryValue{quenby::kRegistryString, tool + QChar(u'\0') + "junk", 0});
    const auto otherType = std::optional(RegistryValue{2, tool, 0});  // REG_EXPAND_SZ
    const std::optional<RegistryValue> none;
    QTest::newRow("path found, folder never asked") << path << "C:\\Tools" << true << tool;
    QTest::newRow("folder with the tool") << none << "C:\\Tools" << true << "C:\\Tools\\MSINFO32.EXE";
    QTest::newRow("folder without the tool") << none << "C:\\Empty" << true << "-";
    QTest::newRow("path of unexpected type") << otherType << "C:\\Tools" << true << "";
    QTest::newRow("tool fails to start") << path << "" << false << tool;
  }
  void systemInfoStartsTheToolOrShowsTheMessageAndStaysOpen() {
    QFETCH(std::optional<RegistryValue>, path);
    QFETCH(QString, folder);
    QFETCH(bool, startWorks);
    QFETCH(QString, started);
    FakeRegistry registry;
    if (path) registry.values[kPathValue] = *path;
    if (!folder.isEmpty()) registry.values[kFolderValue] = RegistryValue{quenby::kRegistryString, folder, 0};
    FakeModal modal;
    modal.programsStart = startWorks;
    quenby::frmAbout about(modal, registry);
    about.show();
    // The icon lives in a static library; a program that did not pull it in
    // would show none.
    QVERIFY(!about.picIcon->pixmap().isNull());

    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);

    QCOMPARE(registry.queries.contains(kFolderValue), !path);
    QCOMPARE(modal.startedPrograms, started == "-" ? std::vector<QString>{} : std::vector<QString>{started});
    const bool toolRuns = started != "-" && !started.isEmpty() && startWorks;
    QCOMPARE(modal.messages, toolRuns ? std::vector<QString>{}
                                      : std::vector<QString>{"Quenby: System Information Is Unavailable At This Time"});
    QVERIFY(about.isVisible());
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_test.moc"
