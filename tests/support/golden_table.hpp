// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Golden tables kept in tests/data: one case a line, its fields between
// TABs; empty lines and lines that start with "#" are comments. Inside a
// field "\t", "\r", "\n", "\\" and "\xHH" stand for those bytes, so that a
// case may hold line breaks, tabs and any byte of an encoding's edge.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace quenby {

struct GoldenRow {
  std::string where;  // "file:line", for the failure messages
  std::vector<std::string> fields;

  const std::string& operator[](std::size_t i) const { return fields[i]; }
};

inline void PrintTo(const GoldenRow& row, std::ostream* out) {
  *out << row.where;
}

inline std::string DecodeGoldenField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    switch (const char next = field[++i]) {
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 'x':
        out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
        i += 2;
        break;
      default:
        out += next;
    }
  }
  return out;
}

// The rows of tests/data/`name`, each with `fieldCount` fields (the missing
// last ones empty); the fields numbered in `raw` are taken as written,
// without escapes, as a pattern is best read. A file that cannot be read, is empty or has a row with
// too many fields fails the test program rather than passing with no case.
inline std::vector<GoldenRow> ReadGoldenTable(const std::string& name, std::size_t fieldCount,
                                              std::initializer_list<std::size_t> raw = {}) {
  std::ifstream in(std::string(QUENBY_TEST_DATA_DIR) + "/" + name);
  std::vector<GoldenRow> rows;
  std::size_t number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') {
      continue;
    }
    GoldenRow row{name + ":" + std::to_string(number), {}};
    for (std::size_t at = 0;;) {
      const std::size_t tab = line.find('\t', at);
      const std::string field = line.substr(at, tab == std::string::npos ? tab : tab - at);
      const bool asWritten = std::find(raw.begin(), raw.end(), row.fields.size()) != raw.end();
      row.fields.push_back(asWritten ? field : DecodeGoldenField(field));
      if (tab == std::string::npos) {
        break;
      }
      at = tab + 1;
    }
    EXPECT_LE(row.fields.size(), fieldCount) << row.where;
    row.fields.resize(fieldCount);
    rows.push_back(std::move(row));
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

// A field that holds several lines, "\n" between them; empty for none.
inline std::vector<std::string> GoldenLines(const std::string& field) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; !field.empty();) {
    const std::size_t end = field.find('\n', at);
    lines.push_back(field.substr(at, end == std::string::npos ? end : end - at));
    if (end == std::string::npos) {
      break;
    }
    at = end + 1;
  }
  return lines;
}

}  // namespace quenby
