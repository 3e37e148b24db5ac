// Feeds arbitrary people lists to the person-line parser and the record
// builders. Besides crashes and sanitizer reports, it checks that "Process
// all" writes exactly what processing each person in turn writes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "people/person_line.hpp"
#include "support/process_in_turn.hpp"
#include "text/text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quenby;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const PeopleList people = SplitOn(input, "\n");
  const SexQuestion answerMale = [](const std::string&) { return SexAnswer{"M"}; };

  const GeneratedRecords all = ProcessAll(people, answerMale);

  const GeneratedRecords inTurn = ProcessInTurn(people, answerMale);
  if (all.indi != inTurn.indi || all.fam != inTurn.fam || all.nextFamNumber != inTurn.nextFamNumber ||
      all.nextNoteNumber != inTurn.nextNoteNumber) {
    std::abort();
  }

  ParsePersonLine(people.front());
  GedcomFileBytes(all.indi, all.fam);
  return 0;
}
