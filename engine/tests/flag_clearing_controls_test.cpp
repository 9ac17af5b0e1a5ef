#include "fake_controls.h"
#include "flag_clearing_controls.h"
#include "run_time_error.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello {
namespace {

using testing::FakeControls;

struct Access {
    std::string name;
    std::function<void(Controls&)> use;
};

TEST(FlagClearingControls, EveryAccessPassesThroughAndClearsTheFlags) {
    const std::vector<Access> accesses{
        {"text 7", [](Controls& c) { EXPECT_EQ(c.inputText(7), "1.5"); }},
        {"check 2", [](Controls& c) { EXPECT_EQ(c.checkValue(2), 1); }},
        {"set 1 3", [](Controls& c) { c.setResult(ResultGroup::SingleDeviation, 3, "x"); }},
    };
    for (const Access& access : accesses) {
        FakeControls fake;
        fake.boxes[7] = "1.5";
        fake.checks[2] = 1;
        FloatFlags flags;
        FlagClearingControls controls(fake, flags);
        flags.divide(1, 0);

        access.use(controls);

        EXPECT_EQ(fake.log, std::vector<std::string>{access.name});
        EXPECT_NO_THROW(flags.checkpoint()) << access.name;
    }
}

} // namespace
} // namespace tavrello
