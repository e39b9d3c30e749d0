// Test helpers: a valid skin to start from, and an assembler that lays out
// sections by hand (independently of the writer) so a test can damage any
// part of the binary form on purpose.
#pragma once

#include "skinfmt/skin.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skinfmt_test {

using bytes = std::vector<std::uint8_t>;

skinfmt::skin sample_skin();

struct raw_section {
    std::string tag;  // four characters
    bytes content;
};

// The standard sections of a skin, as the format lays them out.
std::vector<raw_section> sections_of(const skinfmt::skin& s);

// Header, directory and sections back to back, with a correct size and
// checksum.
bytes assemble(const std::vector<raw_section>& sections);

bytes read_file(const std::string& path);

}  // namespace skinfmt_test
