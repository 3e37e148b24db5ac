// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window program's command line:
//   quenby [--rules RULES.rules] [TEXT.txt]
//   quenby --help | --version
// A file named without an option is opened by its kind, as a dropped file
// is: a ".rules" file into the rule list, any other file as the text. So the
// desktop can open both kinds with a plain "quenby FILE".

#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

namespace quenby {

class frmQuenby;

struct WindowCommandLine {
  QString rulesFile;  // loaded into the rule list; empty for none
  QString textFile;   // opened as the input text; empty for none
};

// The files to open, or nothing when the program ends at once with
// `exitStatus`: 0 after --help or --version (written to `out`), 2 after a
// usage error (the message and the usage written to `err`).
std::optional<WindowCommandLine> ParseWindowCommandLine(const QStringList& arguments, QTextStream& out,
                                                        QTextStream& err, int& exitStatus);

// Answers what needs no window, before the application is made, so that it
// works where no display can be opened: --help and --version always, and a
// usage error when `displayAvailable` is false. With a display, options of
// the window system's own may still stand on the command line; the parse
// after the application took them out judges the rest. The exit status, or
// nothing when the program goes on.
std::optional<int> AnswerBeforeWindow(const QStringList& arguments, bool displayAvailable, QTextStream& out,
                                      QTextStream& err);

// True for a file that opens into the rule list rather than as the text.
bool IsRulesFileName(const QString& file);

// Loads the rules and then opens the text that the command line names.
void OpenFromCommandLine(frmQuenby& window, const WindowCommandLine& files);

}  // namespace quenby
