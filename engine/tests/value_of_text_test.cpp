#include "number_text.h"

#include <gtest/gtest.h>

TEST(Smoke, Builds) {
    EXPECT_EQ(tavrello::valueOfText("1.5"), 1.5);
}
