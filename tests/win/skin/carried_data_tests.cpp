// The build packs the files it is given into byte-block runs and embeds them;
// the accessors give back exactly those files.
#include "skin/carried_data.h"
#include "tests/win/skin/skin_test_paths.h"
#include "tests/win/skin/support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

namespace {

using skin_test::build_path;
using skin_test::read_file;

std::vector<std::byte> bytes(std::span<const std::byte> s) { return {s.begin(), s.end()}; }

TEST(CarriedData, EngineIsTheBuiltLibraryFile)
{
    const auto carried = skin::carried_engine_library();
    ASSERT_FALSE(carried.empty());
    EXPECT_EQ(bytes(carried), read_file(build_path(SKIN_TEST_CARRIED_ENGINE)));
}

TEST(CarriedData, SkinsAreTheCatalogueFilesInOrder)
{
    for (int n = 1; n <= skin::carried_skin_count; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/skin%02d.she", n);
        const std::string file = std::string(SKIN_TEST_SKIN_DIR) + name;
        EXPECT_EQ(bytes(skin::carried_skin(n)), read_file(build_path(file.c_str()))) << "skin " << n;
    }
}

TEST(CarriedData, NumbersOutsideTheCatalogueGiveNothing)
{
    for (int n : {0, -1, 34, 1000, INT_MIN, INT_MAX}) EXPECT_TRUE(skin::carried_skin(n).empty()) << n;
}

}  // namespace
