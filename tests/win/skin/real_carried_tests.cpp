// What the program carries: the engine library this build made, as one byte
// block, a Windows library that names itself SkinH_EL.dll and exports
// SkinH_AttachRes; and the 33 compiled skins of the catalogue, in order.
#include "skin/carried_data.h"
#include "tests/win/skin/skin_test_paths.h"
#include "tests/win/skin/support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace {

using skin_test::build_path;
using skin_test::read_file;

std::vector<std::byte> bytes(std::span<const std::byte> s) { return {s.begin(), s.end()}; }

// Reads a PE image's export directory: its own name and its entry names.
struct pe_exports {
    WORD machine = 0;
    std::string name;
    std::vector<std::string> entries;
};

template <typename T>
bool read_at(std::span<const std::byte> image, std::size_t offset, T& out)
{
    if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, image.data() + offset, sizeof(T));
    return true;
}

std::string string_at(std::span<const std::byte> image, std::size_t offset)
{
    std::string s;
    while (offset < image.size() && image[offset] != std::byte{0}) s += static_cast<char>(image[offset++]);
    return s;
}

std::optional<pe_exports> exports_of(std::span<const std::byte> image)
{
    IMAGE_DOS_HEADER dos;
    if (!read_at(image, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return std::nullopt;
    DWORD signature;
    IMAGE_FILE_HEADER file;
    const std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
    if (!read_at(image, nt, signature) || signature != IMAGE_NT_SIGNATURE || !read_at(image, nt + 4, file))
        return std::nullopt;
    const std::size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic;
    if (!read_at(image, optional, magic)) return std::nullopt;
    IMAGE_DATA_DIRECTORY directory;
    const std::size_t directories =
        optional + (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC ? offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory)
                                                           : offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory));
    if (!read_at(image, directories + IMAGE_DIRECTORY_ENTRY_EXPORT * sizeof directory, directory)) return std::nullopt;

    // Section table: turns addresses into file offsets.
    const std::size_t sections = optional + file.SizeOfOptionalHeader;
    auto to_offset = [&](DWORD rva) -> std::optional<std::size_t> {
        for (WORD i = 0; i < file.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER s;
            if (!read_at(image, sections + i * sizeof s, s)) return std::nullopt;
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return std::nullopt;
    };

    pe_exports out;
    out.machine = file.Machine;
    IMAGE_EXPORT_DIRECTORY exports;
    const auto at = to_offset(directory.VirtualAddress);
    if (!at || !read_at(image, *at, exports)) return std::nullopt;
    if (const auto name = to_offset(exports.Name)) out.name = string_at(image, *name);
    const auto names = to_offset(exports.AddressOfNames);
    for (DWORD i = 0; names && i < exports.NumberOfNames; ++i) {
        DWORD rva;
        if (!read_at(image, *names + i * 4, rva)) return std::nullopt;
        if (const auto entry = to_offset(rva)) out.entries.push_back(string_at(image, *entry));
    }
    return out;
}

TEST(RealCarriedData, EngineIsThisBuildsSkinEngineLibrary)
{
    const auto carried = skin::carried_engine_library();
    ASSERT_FALSE(carried.empty());
    EXPECT_EQ(bytes(carried), read_file(build_path(SKIN_TEST_REAL_ENGINE)));

    const auto exports = exports_of(carried);
    ASSERT_TRUE(exports) << "not a PE library";
#if defined(__i386__)
    EXPECT_EQ(exports->machine, IMAGE_FILE_MACHINE_I386);
#else
    EXPECT_EQ(exports->machine, IMAGE_FILE_MACHINE_AMD64);
#endif
    EXPECT_EQ(exports->name, "SkinH_EL.dll");
    EXPECT_NE(std::find(exports->entries.begin(), exports->entries.end(), "SkinH_AttachRes"), exports->entries.end());
}

TEST(RealCarriedData, CatalogueHoldsTheCompiledSkinsInOrder)
{
    const std::vector<std::string> files = {SKIN_TEST_REAL_SKINS};
    ASSERT_EQ(files.size(), 33u);
    for (int n = 1; n <= 33; ++n) {
        SCOPED_TRACE(n);
        const auto skin = bytes(skin::carried_skin(n));
        EXPECT_EQ(skin, read_file(build_path(files[static_cast<std::size_t>(n - 1)].c_str())));
        ASSERT_GE(skin.size(), 6u);
        EXPECT_EQ(std::memcmp(skin.data(), ".SHE\0\3", 6), 0);
    }
}

}  // namespace
