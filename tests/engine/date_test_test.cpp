#include "engine/date_test.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quenby {
namespace {

class NumberOrDate : public testing::TestWithParam<std::string> {};
class NeitherNumberNorDate : public testing::TestWithParam<std::string> {};

TEST_P(NumberOrDate, IsAccepted) {
  EXPECT_TRUE(IsNumberOrDate(GetParam()));
}
TEST_P(NeitherNumberNorDate, IsRejected) {
  EXPECT_FALSE(IsNumberOrDate(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Words, NumberOrDate,
                         testing::Values("1875", "0", "12345678901234567890", "12/3/1875", "3/12/1875", "12/31/1875",
                                         "1/1/1900", "03/04/1875", "12/3/75", "12/3/875", "3/1875", "12/75",
                                         "12/Mar/1875", "12/March/1875", "12/mAR/1875", "Mar/12/1875", "Mar/1875",
                                         "SEPT/1875", "29/2/1876", "29/2/2000", "29/2/00", "1875/3/12", "1876/2/29"));

INSTANTIATE_TEST_SUITE_P(Words, NeitherNumberNorDate,
                         testing::Values("", "London", "abt", "abt/1875", "Mar", "12/3", "12/Mar", "Marc/1875",
                                         "Mar/Apr/1875", "31/2/1875", "13/13/1900", "29/2/1875", "29/2/1900", "29/2/75",
                                         "0/3/1875", "3/0/1875", "13/1875", "3/0000", "12//1875", "/3/1875", "12/3/",
                                         "12/3/5", "12/3/18755", "12/3/1875/1", "75/3/12", "1875/2/29", "123/3/1875",
                                         "1875a", "-1875", "1,875", "12-3-1875", "(London)"));

}  // namespace
}  // namespace quenby
