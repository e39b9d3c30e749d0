#include "app/placement.h"

#include <gtest/gtest.h>

namespace {

struct placement_case {
    int screen_width, screen_height;
    app::point expected;
};

class CentredOrigin : public testing::TestWithParam<placement_case> {};

TEST_P(CentredOrigin, TruncatesEachDivisionTowardZero)
{
    const auto& c = GetParam();
    EXPECT_EQ(app::centred_origin(c.screen_width, c.screen_height, 966, 508), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, CentredOrigin,
                         testing::Values(placement_case{1366, 768, {200, 130}},
                                         placement_case{800, 600, {-83, 46}},  // -166 / 2
                                         placement_case{1920, 1080, {477, 286}},
                                         placement_case{967, 509, {0, 0}},     // 1 / 2 truncates
                                         placement_case{965, 507, {0, 0}},     // -1 / 2 truncates toward zero
                                         placement_case{640, 480, {-163, -14}}));

}  // namespace
