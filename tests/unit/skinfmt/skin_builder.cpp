#include "skin_builder.h"

#include "skinfmt/checksum.h"

#include <fstream>
#include <iterator>

namespace skinfmt_test {

using skinfmt::metric;

skinfmt::skin sample_skin()
{
    skinfmt::skin s;
    s.name.assign("Sample");
    for (std::size_t i = 0; i < skinfmt::color_role_count; ++i)
        s.palette[i] = {static_cast<std::uint8_t>(i * 8), static_cast<std::uint8_t>(255 - i * 3),
                        static_cast<std::uint8_t>(i * 5 + 1)};
    const std::uint8_t values[skinfmt::metric_count] = {26, 3, 28, 20, 2, 4, 16, 6, 3, 1, 3, 1, 30, 20, 6, 1};
    for (std::size_t i = 0; i < skinfmt::metric_count; ++i) s.metrics[i] = values[i];
    s.caption_font.face.assign("Tahoma");
    s.caption_font.height = 13;
    s.caption_font.weight = 700;
    s.style.caption = skinfmt::caption_fill::vertical;
    s.style.buttons = skinfmt::caption_button_shape::rounded;
    s.style.button = skinfmt::button_fill::gradient;
    s.style.background = skinfmt::texture::dots;
    s.style.caption_text_shadow = true;
    return s;
}

namespace {
void put16(bytes& b, unsigned v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(bytes& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
}  // namespace

std::vector<raw_section> sections_of(const skinfmt::skin& s)
{
    std::vector<raw_section> out;
    bytes name{s.name.size};
    name.insert(name.end(), s.name.view().begin(), s.name.view().end());
    out.push_back({"NAME", name});
    bytes palette{static_cast<std::uint8_t>(skinfmt::color_role_count)};
    for (const auto& c : s.palette) palette.insert(palette.end(), {c.r, c.g, c.b});
    out.push_back({"PALT", palette});
    bytes metrics{static_cast<std::uint8_t>(skinfmt::metric_count)};
    metrics.insert(metrics.end(), s.metrics.begin(), s.metrics.end());
    out.push_back({"METR", metrics});
    bytes font{s.caption_font.height};
    put16(font, s.caption_font.weight);
    font.push_back(s.caption_font.italic ? 1 : 0);
    font.push_back(s.caption_font.face.size);
    font.insert(font.end(), s.caption_font.face.view().begin(), s.caption_font.face.view().end());
    out.push_back({"FONT", font});
    out.push_back({"STYL", bytes{6, static_cast<std::uint8_t>(s.style.caption), static_cast<std::uint8_t>(s.style.align),
                                 static_cast<std::uint8_t>(s.style.buttons), static_cast<std::uint8_t>(s.style.button),
                                 static_cast<std::uint8_t>(s.style.background),
                                 static_cast<std::uint8_t>(s.style.caption_text_shadow ? 1 : 0)}});
    if (s.style.background == skinfmt::texture::pattern8)
        out.push_back({"PATN", bytes(s.pattern.begin(), s.pattern.end())});
    if (s.seal.present) {
        bytes seal;
        put32(seal, s.seal.salt);
        put32(seal, s.seal.digest);
        out.push_back({"SEAL", seal});
    }
    return out;
}

bytes assemble(const std::vector<raw_section>& sections)
{
    bytes b{'.', 'S', 'H', 'E', 0x00, 0x03, 0, 0};
    put32(b, 0);
    put32(b, 0);
    put16(b, static_cast<unsigned>(sections.size()));
    put16(b, 0);
    std::uint32_t offset = static_cast<std::uint32_t>(20 + 12 * sections.size());
    for (const raw_section& s : sections) {
        b.insert(b.end(), s.tag.begin(), s.tag.end());
        put32(b, offset);
        put32(b, static_cast<std::uint32_t>(s.content.size()));
        offset += static_cast<std::uint32_t>(s.content.size());
    }
    for (const raw_section& s : sections) b.insert(b.end(), s.content.begin(), s.content.end());
    const std::uint32_t size = static_cast<std::uint32_t>(b.size());
    for (int i = 0; i < 4; ++i) b[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    skinfmt::update_checksum(b);
    return b;
}

bytes read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace skinfmt_test
