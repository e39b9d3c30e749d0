// blockpack OUT IN...
// Writes the files IN..., in the order given, to OUT as one run of byte
// blocks. With no IN the run is empty. OUT is replaced only once the whole
// run has been written, so a failed pack never leaves half a run behind for
// the next build step to embed.
#include "skin/byte_block.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

bool read_file(const char* path, std::vector<std::byte>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    bytes.resize(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return true;
}

bool write_file(const std::filesystem::path& path, const std::vector<std::byte>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: blockpack OUT [IN...]\n");
        return 2;
    }
    std::vector<std::byte> run;
    for (int i = 2; i < argc; ++i) {
        std::vector<std::byte> bytes;
        if (!read_file(argv[i], bytes)) {
            std::fprintf(stderr, "blockpack: cannot read %s\n", argv[i]);
            return 1;
        }
        try {
            skin::append_byte_block(run, bytes);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "blockpack: %s: %s\n", argv[i], e.what());
            return 1;
        }
    }

    const std::filesystem::path out = argv[1];
    std::filesystem::path temporary = out;
    temporary += ".partial";
    std::error_code ec;
    if (!write_file(temporary, run)) {
        std::filesystem::remove(temporary, ec);
        std::fprintf(stderr, "blockpack: cannot write %s\n", temporary.string().c_str());
        return 1;
    }
    std::filesystem::rename(temporary, out, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        std::fprintf(stderr, "blockpack: cannot replace %s\n", out.string().c_str());
        return 1;
    }
    return 0;
}
