// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/command_line.hpp"

#include <QCommandLineParser>
#include <QTextStream>

#include "quenby/version.hpp"
#include "workspace/frmQuenby.hpp"

namespace quenby {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

const char* const kUsage = "Usage: quenby [--rules RULES.rules] [TEXT.txt]\n";

const char* const kHelp =
    "Turns genealogical text into a GEDCOM file: paste or open the text, run an\n"
    "ordered list of rules into a people list, generate and save the records.\n"
    "\n"
    "  --rules RULES.rules  load this rules file into the rule list\n"
    "  TEXT.txt             open this text file as the text to parse (a file\n"
    "                       named *.rules is loaded as rules instead)\n"
    "  --help               show this help and end\n"
    "  --version            show the version and end\n";

}  // namespace

std::optional<WindowCommandLine> ParseWindowCommandLine(const QStringList& arguments, QTextStream& out,
                                                        QTextStream& err, int& exitStatus) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption rules(QStringLiteral("rules"), QString(), QStringLiteral("RULES.rules"));
  const QCommandLineOption help(QStringLiteral("help"));
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({rules, help, version});
  parser.addPositionalArgument(QStringLiteral("TEXT.txt"), QString());

  const auto usageError = [&](const QString& message) {
    err << "quenby: " << message << "\n" << kUsage;
    err.flush();
    exitStatus = kExitUsage;
    return std::nullopt;
  };
  if (!parser.parse(arguments)) {
    return usageError(parser.errorText());
  }
  if (parser.isSet(help)) {
    out << kUsage << "\n" << kHelp;
    out.flush();
    exitStatus = kExitOk;
    return std::nullopt;
  }
  if (parser.isSet(version)) {
    out << kProductName << " " << kVersionText << "\n";
    out.flush();
    exitStatus = kExitOk;
    return std::nullopt;
  }
  QStringList rulesFiles = parser.values(rules);
  QStringList texts;
  for (const QString& file : parser.positionalArguments()) {
    (IsRulesFileName(file) ? rulesFiles : texts).append(file);
  }
  if (texts.size() > 1) {
    return usageError(QStringLiteral("only one text file can be opened"));
  }
  if (rulesFiles.size() > 1) {
    return usageError(QStringLiteral("only one rules file can be loaded"));
  }
  exitStatus = kExitOk;
  return WindowCommandLine{rulesFiles.value(0), texts.value(0)};
}

std::optional<int> AnswerBeforeWindow(const QStringList& arguments, bool displayAvailable, QTextStream& out,
                                      QTextStream& err) {
  QString answer;
  QString problem;
  QTextStream answerStream(&answer);
  QTextStream problemStream(&problem);
  int exitStatus = kExitOk;
  if (ParseWindowCommandLine(arguments, answerStream, problemStream, exitStatus)) {
    return std::nullopt;
  }
  if (exitStatus == kExitOk) {
    out << answer;
    out.flush();
    return exitStatus;
  }
  if (displayAvailable) {
    return std::nullopt;
  }
  err << problem;
  err.flush();
  return exitStatus;
}

bool IsRulesFileName(const QString& file) {
  return file.endsWith(QStringLiteral(".rules"), Qt::CaseInsensitive);
}

void OpenFromCommandLine(frmQuenby& window, const WindowCommandLine& files) {
  if (!files.rulesFile.isEmpty()) {
    window.LoadRules(files.rulesFile);
  }
  if (!files.textFile.isEmpty()) {
    window.OpenText(files.textFile);
  }
}

}  // namespace quenby
