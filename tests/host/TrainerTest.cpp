// The trainer's state, caption and toggle, machine by machine from tests/host/trainer.txt.
#include "host/trainer.h"

#include "catalogue/messages.h"
#include "support/TestSupport.h"

namespace host {
namespace {

const std::map<std::string, std::pair<TrainerState, const char*>> kStates = {
    {"ready", {TrainerState::Ready, "Toggle Startup Database"}},
    {"registry-error", {TrainerState::RegistryError, "GNS Trainer Registry Error"}},
    {"not-found", {TrainerState::NotFound, "GNS Trainer Not Found"}},
    {"ini-error", {TrainerState::IniError, "GNS Trainer .INI DB Error"}}};

class TrainerTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(TrainerTest, EveryMachineShowsAndTogglesAsWritten) {
    pwtest::TempFolder windows;
    const std::string ini = windows.Path("GARMINWT.INI");
    for (const std::string& line : GetParam().lines) {
        SCOPED_TRACE(line);
        std::vector<std::string> t = pwtest::Tokens(line);
        const auto bar = std::find(t.begin(), t.end(), "|");
        const std::string says = bar != t.end() && bar + 1 != t.end() ? pwtest::Text(bar[1]) : "";
        t.erase(bar, t.end());
        ASSERT_TRUE(t.size() >= 5 && t[2] == "=>" && kStates.count(t[3]));
        std::remove(ini.c_str());
        if (t[1] != "none") pwtest::WriteBytes(ini, pwtest::Text(t[1]));
        const std::string before = pwtest::ReadBytes(ini);
        const TrainerStatus status =
            EvaluateTrainer(t[0] == "none" ? std::nullopt : std::optional(pwtest::Text(t[0])), ini);
        EXPECT_EQ(kStates.at(t[3]).first, status.state);
        EXPECT_STREQ(kStates.at(t[3]).second, catalogue::TrainerCaption(status.state));
        const std::string reason = catalogue::TrainerReason(status);
        EXPECT_NE(std::string::npos, reason.find(pwtest::Replaced(says, "{ini}", ini))) << reason;
        if (status.state != TrainerState::Ready) {
            EXPECT_FALSE(ToggleDatabase(status, ini));
            EXPECT_EQ(before, pwtest::ReadBytes(ini));  // an unknown database is never overwritten
            continue;
        }
        EXPECT_EQ(t[4] == "americas" ? Database::Americas : Database::International, status.database);
        EXPECT_FALSE(ToggleDatabase(status, ini));
        EXPECT_EQ(pwtest::Text(t.at(5)), pwtest::ReadBytes(ini));
    }
}

PW_CASES(TrainerTest, "tests/host/trainer.txt");

}  // namespace
}  // namespace host
