// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/date_words.hpp"

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// Every word in lower case, as DateWordOf compares it. A word is in the table
// of each language that writes it so ("april" in five of them), since each
// table lists its language whole. "7bris" to "Xbris" (and the "7ber" and
// "7bre" of German and French registers) count the months from March, as the
// Latin names do: September is the seventh.
const std::array<DateLanguage, 8> kLanguages = {{
    {.name = "English",
     .months = {{{"january", "jan"},
                 {"february", "feb", "febr"},
                 {"march", "mar"},
                 {"april", "apr"},
                 {"may"},
                 {"june", "jun"},
                 {"july", "jul"},
                 {"august", "aug"},
                 {"september", "sep", "sept"},
                 {"october", "oct"},
                 {"november", "nov"},
                 {"december", "dec"}}},
     .about = {"abt", "about", "c", "ca", "circa", "approx", "near", "around"},
     .before = {"bef", "before"},
     .after = {"aft", "after"},
     .estimated = {"est", "estimated"},
     .calculated = {"cal", "calc", "calculated"},
     .between = {"bet", "between"},
     .betweenAnd = {"and", "&"},
     .from = {"from"},
     .to = {"to", "till"},
     .articles = {"the", "of"}},
    {.name = "German",
     .months = {{{"januar", "jänner", "jaenner", "jan"},
                 {"februar", "feber", "feb", "febr"},
                 {"märz", "maerz", "marz", "mär", "mrz"},
                 {"april", "apr"},
                 {"mai"},
                 {"juni", "jun"},
                 {"juli", "jul"},
                 {"august", "aug"},
                 {"september", "sep", "sept"},
                 {"oktober", "okt"},
                 {"november", "nov"},
                 {"dezember", "dez"}}},
     .about = {"um", "ca", "circa", "zirka", "etwa", "ungefähr", "ungefaehr", "gegen"},
     .before = {"vor"},
     .after = {"nach"},
     .estimated = {"geschätzt", "geschaetzt"},
     .calculated = {"berechnet", "errechnet"},
     .between = {"zwischen"},
     .betweenAnd = {"und"},
     .fromInRange = {"von"},
     .to = {"bis"},
     .articles = {"den"}},
    {.name = "Dutch",
     .months = {{{"januari", "jan"},
                 {"februari", "feb", "febr"},
                 {"maart", "mrt"},
                 {"april", "apr"},
                 {"mei"},
                 {"juni", "jun"},
                 {"juli", "jul"},
                 {"augustus", "aug"},
                 {"september", "sep", "sept"},
                 {"oktober", "okt"},
                 {"november", "nov"},
                 {"december", "dec"}}},
     .about = {"omstreeks", "ongeveer", "rond", "rondom", "omtrent", "circa", "ca"},
     .before = {"voor", "vóór"},
     .after = {"na"},
     .estimated = {"geschat"},
     .calculated = {"berekend"},
     .between = {"tussen"},
     .betweenAnd = {"en"},
     .fromInRange = {"van"},
     .to = {"tot"},
     .articles = {"den"}},
    {.name = "French",
     .months = {{{"janvier", "janv", "jan"},
                 {"février", "fevrier", "févr", "fevr", "fév", "fev"},
                 {"mars"},
                 {"avril", "avr"},
                 {"mai"},
                 {"juin"},
                 {"juillet", "juil"},
                 {"août", "aout"},
                 {"septembre", "sept", "sep"},
                 {"octobre", "oct"},
                 {"novembre", "nov"},
                 {"décembre", "decembre", "déc", "dec"}}},
     .about = {"vers", "environ", "env", "circa", "ca"},
     .before = {"avant"},
     .after = {"après", "apres"},
     .estimated = {"estimé", "estimée", "estime", "estimee"},
     .calculated = {"calculé", "calculée", "calcule", "calculee"},
     .between = {"entre"},
     .betweenAnd = {"et"},
     .fromInRange = {"de", "du"},
     .toInRange = {"à", "a", "au"},
     .articles = {"le"}},
    {.name = "Danish",
     .months = {{{"januar", "jan"},
                 {"februar", "feb", "febr"},
                 {"marts", "mar"},
                 {"april", "apr"},
                 {"maj"},
                 {"juni", "jun"},
                 {"juli", "jul"},
                 {"august", "aug"},
                 {"september", "sep", "sept"},
                 {"oktober", "okt"},
                 {"november", "nov"},
                 {"december", "dec"}}},
     .about = {"omkring", "omkr", "omtrent", "cirka", "circa", "ca"},
     .before = {"før"},
     .after = {"efter"},
     .estimated = {"anslået"},
     .calculated = {"beregnet"},
     .between = {"mellem"},
     .betweenAnd = {"og"},
     .fromInRange = {"fra"},
     .to = {"til"},
     .articles = {"den", "d"}},
    {.name = "Norwegian",
     .months = {{{"januar", "jan"},
                 {"februar", "feb", "febr"},
                 {"mars", "mar"},
                 {"april", "apr"},
                 {"mai"},
                 {"juni", "jun"},
                 {"juli", "jul"},
                 {"august", "aug"},
                 {"september", "sep", "sept"},
                 {"oktober", "okt"},
                 {"november", "nov"},
                 {"desember", "des"}}},
     .about = {"omkring", "omkr", "omtrent", "rundt", "cirka", "circa", "ca"},
     .before = {"før"},
     .after = {"etter", "efter"},
     .estimated = {"anslått"},
     .calculated = {"beregnet"},
     .between = {"mellom"},
     .betweenAnd = {"og"},
     .fromInRange = {"fra"},
     .to = {"til"},
     .articles = {"den", "d"}},
    {.name = "Swedish",
     .months = {{{"januari", "jan"},
                 {"februari", "feb", "febr"},
                 {"mars", "mar"},
                 {"april", "apr"},
                 {"maj"},
                 {"juni", "jun"},
                 {"juli", "jul"},
                 {"augusti", "aug"},
                 {"september", "sep", "sept"},
                 {"oktober", "okt"},
                 {"november", "nov"},
                 {"december", "dec"}}},
     .about = {"omkring", "omkr", "ungefär", "cirka", "circa", "ca"},
     .before = {"före", "innan"},
     .after = {"efter"},
     .estimated = {"uppskattat"},
     .calculated = {"beräknat"},
     .between = {"mellan"},
     .betweenAnd = {"och"},
     .fromInRange = {"från", "fran"},
     .to = {"till"},
     .articles = {"den", "d"}},
    {.name = "Latin",
     .months = {{{"januarii", "januarius", "ianuarii", "ianuarius"},
                 {"februarii", "februarius"},
                 {"martii", "martius", "mart"},
                 {"aprilis"},
                 {"maii", "maius"},
                 {"junii", "junius", "iunii", "iunius"},
                 {"julii", "julius", "iulii", "iulius"},
                 {"augusti", "augustus"},
                 {"septembris", "7bris", "7ber", "7bre"},
                 {"octobris", "8bris", "8ber", "8bre"},
                 {"novembris", "9bris", "9ber", "9bre"},
                 {"decembris", "10bris", "xbris", "10ber", "xber", "10bre", "xbre"}}},
     .about = {"circa", "ca"},
     .before = {"ante"},
     .after = {"post"},
     .articles = {"die"}},
}};

// A word in lower case, made in a buffer of its own: ASCII capitals and the
// capitals of Latin-1 (U+00C0 to U+00DE, without U+00D7 "×") are lowered,
// which covers every letter the tables hold. A word too long for any table
// is left empty.
class LowerWord {
 public:
  // Adds `word`; its dots are left out when `dots` is false.
  void Add(std::string_view word, bool dots) {
    for (std::size_t at = 0; at < word.size(); ++at) {
      char c = word[at];
      if (c == '.' && !dots) {
        continue;
      }
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
      Push(c);
      if (c == '\xC3' && at + 1 < word.size()) {
        const auto next = static_cast<unsigned char>(word[++at]);
        Push(static_cast<char>(next >= 0x80 && next <= 0x9E && next != 0x97 ? next + 0x20 : next));
      }
    }
  }

  std::string_view View() const { return tooLong_ ? std::string_view() : std::string_view(text_.data(), size_); }

 private:
  void Push(char c) {
    if (size_ == text_.size()) {
      tooLong_ = true;
      return;
    }
    text_[size_++] = c;
  }

  std::array<char, 24> text_{};
  std::size_t size_ = 0;
  bool tooLong_ = false;
};

const std::unordered_map<std::string_view, DateWord>& WordTable() {
  static const auto table = [] {
    std::unordered_map<std::string_view, DateWord> words;
    for (const DateLanguage& language : kLanguages) {
      for (const auto& [word, meaning] : WordsOf(language)) {
        words.emplace(word, meaning);
      }
    }
    return words;
  }();
  return table;
}

}  // namespace

std::span<const DateLanguage> DateLanguages() {
  return kLanguages;
}

std::vector<std::pair<std::string_view, DateWord>> WordsOf(const DateLanguage& language) {
  std::vector<std::pair<std::string_view, DateWord>> words;
  for (std::size_t month = 0; month < language.months.size(); ++month) {
    for (const std::string_view word : language.months[month]) {
      words.emplace_back(word, DateWord{DateWordKind::kMonth, static_cast<int>(month + 1)});
    }
  }
  const std::pair<std::initializer_list<std::string_view>, DateWordKind> lists[] = {
      {language.about, DateWordKind::kAbout},
      {language.before, DateWordKind::kBefore},
      {language.after, DateWordKind::kAfter},
      {language.estimated, DateWordKind::kEstimated},
      {language.calculated, DateWordKind::kCalculated},
      {language.between, DateWordKind::kBetween},
      {language.betweenAnd, DateWordKind::kAnd},
      {language.from, DateWordKind::kFrom},
      {language.fromInRange, DateWordKind::kFromInRange},
      {language.to, DateWordKind::kTo},
      {language.toInRange, DateWordKind::kToInRange},
      {language.articles, DateWordKind::kArticle},
  };
  for (const auto& [list, kind] : lists) {
    for (const std::string_view word : list) {
      words.emplace_back(word, DateWord{kind, 0});
    }
  }
  return words;
}

std::optional<DateWord> DateWordOf(std::string_view word) {
  if (EndsWith(word, ".")) {
    word.remove_suffix(1);
  }
  LowerWord lower;
  lower.Add(word, true);
  const auto& table = WordTable();
  const auto found = table.find(lower.View());
  return found == table.end() ? std::nullopt : std::optional(found->second);
}

int DayOfWord(std::string_view word) {
  static constexpr std::array<std::string_view, 9> kOrdinalEndings = {"st", "nd", "rd", "th", ".",
                                                                      "er", "re", ":e", ":a"};
  for (const std::string_view ending : kOrdinalEndings) {
    if (word.size() > ending.size() && EqualsIgnoringAsciiCase(word.substr(word.size() - ending.size()), ending)) {
      word.remove_suffix(ending.size());
      break;
    }
  }
  return DigitsValue(word, 1, 2).value_or(0);
}

std::size_t BeforeChristWords(std::span<const std::string_view> words) {
  // Read without their dots, the markers differ only in how they are
  // spaced and dotted: "B.C." and "BC", "v. Chr." and "v.Chr.".
  static constexpr std::array<std::string_view, 6> kMarkers = {"bc", "bce", "vchr", "fkr", "fvt", "avj-c"};
  LowerWord marker;
  for (std::size_t count = 1; count <= 2 && count <= words.size(); ++count) {
    marker = LowerWord();
    for (const std::string_view word : words.last(count)) {
      marker.Add(word, false);
    }
    for (const std::string_view known : kMarkers) {
      if (marker.View() == known) {
        return count;
      }
    }
  }
  return 0;
}

}  // namespace quenby
