// How --aircraft patterns match names, group by group from tests/cli/patterns.txt.
#include "cli/batch.h"

#include "support/TestSupport.h"

namespace {

class BatchTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(BatchTest, PatternsMatchCharactersNotBytes) {
    for (const std::string& line : GetParam().lines) {
        const std::vector<std::string> t = pwtest::Tokens(line);
        ASSERT_EQ(4u, t.size()) << line;
        EXPECT_EQ(t[3] == "yes", cli::MatchesPattern(pwtest::Text(t[1]), pwtest::Text(t[0]))) << line;
    }
}

PW_CASES(BatchTest, "tests/cli/patterns.txt");

}  // namespace
