#include "skinfmt/writer.h"

#include "skinfmt/checksum.h"
#include "skinfmt/format.h"
#include "skinfmt/reader.h"

namespace skinfmt {
namespace {

class byte_sink {
public:
    explicit byte_sink(std::vector<std::uint8_t>& out) : out_(out) {}
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void text(std::string_view t) { out_.insert(out_.end(), t.begin(), t.end()); }
    void put_u32_at(std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) out_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t size() const { return out_.size(); }

private:
    std::vector<std::uint8_t>& out_;
};

void put_name(byte_sink& o, const skin& s)
{
    o.u8(s.name.size);
    o.text(s.name.view());
}

void put_palette(byte_sink& o, const skin& s)
{
    o.u8(static_cast<std::uint8_t>(color_role_count));
    for (const rgb& c : s.palette) {
        o.u8(c.r);
        o.u8(c.g);
        o.u8(c.b);
    }
}

void put_metrics(byte_sink& o, const skin& s)
{
    o.u8(static_cast<std::uint8_t>(metric_count));
    for (const std::uint8_t v : s.metrics) o.u8(v);
}

void put_font(byte_sink& o, const skin& s)
{
    o.u8(s.caption_font.height);
    o.u16(s.caption_font.weight);
    o.u8(s.caption_font.italic ? 1 : 0);
    o.u8(s.caption_font.face.size);
    o.text(s.caption_font.face.view());
}

void put_style(byte_sink& o, const skin& s)
{
    o.u8(static_cast<std::uint8_t>(layout::style_field_count));
    o.u8(static_cast<std::uint8_t>(s.style.caption));
    o.u8(static_cast<std::uint8_t>(s.style.align));
    o.u8(static_cast<std::uint8_t>(s.style.buttons));
    o.u8(static_cast<std::uint8_t>(s.style.button));
    o.u8(static_cast<std::uint8_t>(s.style.background));
    o.u8(s.style.caption_text_shadow ? 1 : 0);
}

void put_pattern(byte_sink& o, const skin& s)
{
    for (const std::uint8_t row : s.pattern) o.u8(row);
}

void put_seal(byte_sink& o, const skin& s)
{
    o.u32(s.seal.salt);
    o.u32(s.seal.digest);
}

}  // namespace

error_info write(const skin& s, std::vector<std::uint8_t>& out)
{
    out.clear();
    if (const error_info e = validate(s); !e.ok()) return e;

    struct part {
        std::uint32_t tag;
        void (*put)(byte_sink&, const skin&);
    };
    part parts[layout::max_sections];
    std::size_t count = 0;
    parts[count++] = {layout::tag_name, put_name};
    parts[count++] = {layout::tag_palette, put_palette};
    parts[count++] = {layout::tag_metrics, put_metrics};
    parts[count++] = {layout::tag_font, put_font};
    parts[count++] = {layout::tag_style, put_style};
    if (s.style.background == texture::pattern8) parts[count++] = {layout::tag_pattern, put_pattern};
    if (s.seal.present) parts[count++] = {layout::tag_seal, put_seal};

    byte_sink o(out);
    for (const std::uint8_t b : layout::magic) o.u8(b);
    o.u8(layout::generation[0]);
    o.u8(layout::generation[1]);
    o.u8(layout::revision);
    o.u8(0);
    o.u32(0);  // total size, filled in below
    o.u32(0);  // checksum, filled in below
    o.u16(static_cast<std::uint16_t>(count));
    o.u16(0);
    const std::size_t directory = o.size();
    for (std::size_t i = 0; i < count; ++i) {
        o.u32(parts[i].tag);
        o.u32(0);
        o.u32(0);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t start = o.size();
        parts[i].put(o, s);
        o.put_u32_at(directory + i * layout::directory_entry_size + 4, static_cast<std::uint32_t>(start));
        o.put_u32_at(directory + i * layout::directory_entry_size + 8, static_cast<std::uint32_t>(o.size() - start));
    }
    o.put_u32_at(8, static_cast<std::uint32_t>(out.size()));
    update_checksum(out);
    return {};
}

void seal(skin& s, std::string_view key, std::uint32_t salt) noexcept
{
    s.seal.present = true;
    s.seal.salt = salt;
    s.seal.digest = seal_digest(salt, key);
}

}  // namespace skinfmt
