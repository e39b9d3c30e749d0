// skinc: compiles a readable skin source into a binary skin.
//
//   skinc <source.skin> <output.she>   compile; errors name the source line
//   skinc --check <skin.she>           validate a binary skin
//
// The output is written to a temporary file and renamed into place, so a
// failed run never leaves a partial skin behind.
#include "skinfmt/reader.h"
#include "skinfmt/source.h"
#include "skinfmt/writer.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool read_file(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return !in.bad();
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::remove(path.c_str());
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

int usage()
{
    std::cerr << "usage: skinc <source.skin> <output.she>\n"
                 "       skinc --check <skin.she>\n";
    return 2;
}

int check(const std::string& path)
{
    std::string data;
    if (!read_file(path, data)) {
        std::cerr << path << ": error: cannot read\n";
        return 1;
    }
    skinfmt::skin s;
    const auto e = skinfmt::read({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}, s);
    if (!e.ok()) {
        std::cerr << path << ": error at byte " << e.where << ": " << skinfmt::error_text(e.code) << "\n";
        return 1;
    }
    std::cout << path << ": " << s.name.view() << " (" << data.size() << " bytes)\n";
    return 0;
}

int compile(const std::string& source_path, const std::string& output_path)
{
    std::string text;
    if (!read_file(source_path, text)) {
        std::cerr << source_path << ": error: cannot read\n";
        return 1;
    }
    skinfmt::skin s;
    const skinfmt::source_result r = skinfmt::parse_source(text, s);
    if (!r.ok()) {
        std::cerr << source_path;
        if (r.error.where) std::cerr << ":" << r.error.where;
        std::cerr << ": error: " << r.message << "\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    if (const auto e = skinfmt::write(s, bytes); !e.ok()) {
        std::cerr << source_path << ": error: " << skinfmt::error_text(e.code) << "\n";
        return 1;
    }
    if (!write_file(output_path, bytes)) {
        std::cerr << output_path << ": error: cannot write\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--check") return check(args[1]);
    if (args.size() == 2 && args[0].rfind("--", 0) != 0) return compile(args[0], args[1]);
    return usage();
}
