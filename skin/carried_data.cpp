#include "skin/carried_data.h"

#include "skin/byte_block.h"

#include <optional>
#include <vector>

// The packed runs, embedded by the generated carried_runs.cpp of the build.
extern "C" {
extern const std::byte spacevisit_engine_run[] asm("spacevisit_engine_run");
extern const std::byte spacevisit_engine_run_end[] asm("spacevisit_engine_run_end");
extern const std::byte spacevisit_skin_run[] asm("spacevisit_skin_run");
extern const std::byte spacevisit_skin_run_end[] asm("spacevisit_skin_run_end");
}

namespace skin {
namespace {

std::span<const std::byte> run_between(const std::byte* begin, const std::byte* end) noexcept
{
    return {begin, static_cast<std::size_t>(end - begin)};
}

// The blocks of a run when it is undamaged and holds exactly `count` blocks.
std::vector<std::span<const std::byte>> blocks_of(std::span<const std::byte> run, std::size_t count)
{
    auto blocks = read_byte_blocks(run);
    if (!blocks || blocks->size() != count) return {};
    return std::move(*blocks);
}

}  // namespace

std::span<const std::byte> carried_engine_library()
{
    static const auto blocks = blocks_of(run_between(spacevisit_engine_run, spacevisit_engine_run_end), 1);
    return blocks.empty() ? std::span<const std::byte>{} : blocks.front();
}

std::span<const std::byte> carried_skin(int n)
{
    static const auto blocks =
        blocks_of(run_between(spacevisit_skin_run, spacevisit_skin_run_end), carried_skin_count);
    if (blocks.empty() || n < 1 || n > carried_skin_count) return {};
    return blocks[static_cast<std::size_t>(n - 1)];
}

}  // namespace skin
