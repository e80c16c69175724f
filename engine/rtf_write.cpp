// The RTF writer: each byte's spelling, sixteen bytes at a time where it can, into pieces
// that are handed on as they fill.

#include "engine/rtf.hpp"
#include "engine/rtf_detail.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace semtra::rtf::detail {

namespace {

// ---------------------------------------------------------------------------------------------
// The writer.

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans "
    "Serif;}}\r\n\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs16 ";
constexpr std::string_view kParagraphEnd = "\\par\r\n";
constexpr std::string_view kFooter = "}\r\n";

// How each byte is spelt in the document: itself, a backslash pair, or \'xx.
// Control words are always ended by a space or CR LF, so no text byte is taken as a delimiter
// or a parameter digit.
struct Spelling {
    std::array<char, 4> bytes;
    std::uint8_t length;
};

constexpr std::array<Spelling, 256> kSpelling = [] {
    constexpr const char* digits = "0123456789abcdef";
    std::array<Spelling, 256> table{};
    for (int c = 0; c < 256; ++c) {
        Spelling& s = table[c];
        if (c < 0x20 || c >= 0x80) {
            s = {{'\\', '\'', digits[c >> 4], digits[c & 0xF]}, 4};
        } else if (c == '\\' || c == '{' || c == '}') {
            s = {{'\\', static_cast<char>(c), 0, 0}, 2};
        } else {
            s = {{static_cast<char>(c), 0, 0, 0}, 1};
        }
    }
    return table;
}();

constexpr std::size_t kLongestSpelling = 4;

#ifdef SEMTRA_RTF_BLOCKS

// Sixteen bytes are spelt at once, four at a time: each byte's four-byte spelling is made in
// place, and the four spellings are packed by a shuffle chosen by their lengths. No branch
// depends on the text.

alignas(16) constexpr std::array<char, 16> kHexDigitNames = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

// Indexed by which of four bytes take two bytes or more (low half) and which take four
// (high half).
struct Packing {
    std::array<std::uint8_t, 16> order; // where each byte of the packed spellings comes from
    std::uint8_t length;
};

constexpr auto kPackings = [] {
    std::array<Packing, 256> table{};
    for (unsigned index = 0; index < 256; ++index) {
        Packing& packing = table[index];
        packing.order.fill(0x80);
        for (unsigned byte = 0; byte < 4; ++byte) {
            const unsigned length = (index >> (4 + byte) & 1) ? 4 : (index >> byte & 1) ? 2 : 1;
            for (unsigned k = 0; k < length; ++k) {
                packing.order[packing.length++] = static_cast<std::uint8_t>(4 * byte + k);
            }
        }
    }
    return table;
}();

SEMTRA_SSSE3 inline __m128i select(__m128i mask, __m128i ifSet, __m128i otherwise) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

// Writes the four spellings packed; writes 16 bytes whatever their length.
SEMTRA_SSSE3 inline char* packSpellings(__m128i spellings, unsigned index, char* out) {
    const Packing& packing = kPackings[index];
    const __m128i order = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packing.order.data()));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(spellings, order));
    return out + packing.length;
}

// The 16 bytes at text spelt as kSpelling has them. Needs room for the longest spellings.
SEMTRA_SSSE3 inline char* spellBlock(const char* text, char* out) {
    const __m128i bytes = load16(text);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i names = _mm_load_si128(reinterpret_cast<const __m128i*>(kHexDigitNames.data()));
    const __m128i high = _mm_shuffle_epi8(names, _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble));
    const __m128i low = _mm_shuffle_epi8(names, _mm_and_si128(bytes, nibble));
    // Bytes from 0x80 up are negative as signed bytes, so one compare finds all that are
    // escaped.
    const __m128i escaped = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    const __m128i backslashed = _mm_or_si128(
        escaped, _mm_or_si128(bytesEqual(bytes, '\\'),
                              _mm_or_si128(bytesEqual(bytes, '{'), bytesEqual(bytes, '}'))));
    const __m128i first = select(backslashed, _mm_set1_epi8('\\'), bytes);
    const __m128i second = select(escaped, _mm_set1_epi8('\''), bytes);
    const __m128i heads[2] = {_mm_unpacklo_epi8(first, second), _mm_unpackhi_epi8(first, second)};
    const __m128i tails[2] = {_mm_unpacklo_epi8(high, low), _mm_unpackhi_epi8(high, low)};
    const auto twoOrMore = static_cast<unsigned>(_mm_movemask_epi8(backslashed));
    const auto four = static_cast<unsigned>(_mm_movemask_epi8(escaped));
    const auto index = [&](unsigned group) {
        return (twoOrMore >> 4 * group & 0xF) | (four >> 4 * group & 0xF) << 4;
    };
    out = packSpellings(_mm_unpacklo_epi16(heads[0], tails[0]), index(0), out);
    out = packSpellings(_mm_unpackhi_epi16(heads[0], tails[0]), index(1), out);
    out = packSpellings(_mm_unpacklo_epi16(heads[1], tails[1]), index(2), out);
    return packSpellings(_mm_unpackhi_epi16(heads[1], tails[1]), index(3), out);
}

SEMTRA_SSSE3 const char* spellBlocks(const char* text, const char* end, char*& out) {
    char* o = out;
    for (; end - text >= 16; text += 16) {
        o = spellBlock(text, o);
    }
    out = o;
    return text;
}

#endif

// Each spelling is copied whole (4 bytes) and the pointer advanced by its length; room for the
// longest spelling of every byte leaves room for the overhang.
inline char* spellBytes(std::string_view text, char* out) {
    const char* p = text.data();
    const char* const end = p + text.size();
#ifdef SEMTRA_RTF_BLOCKS
    if (kHasSsse3) {
        p = spellBlocks(p, end, out);
    }
#endif
    for (; p < end; ++p) {
        const Spelling& s = kSpelling[static_cast<unsigned char>(*p)];
        std::memcpy(out, s.bytes.data(), kLongestSpelling);
        out += s.length;
    }
    return out;
}

// Spells the document into a window of its own and hands the window to put each time it
// fills, so a save writes the document out while making it, and a piece is still in the cache
// when it is written.
class PieceWriter {
  public:
    explicit PieceWriter(const Put& put)
        : put_(put), window_(std::make_unique_for_overwrite<char[]>(kWindow)), out_(window_.get()) {
    }

    // Bytes written as they are; s is never longer than the window.
    void append(std::string_view s) {
        if (room() < s.size()) {
            flush();
        }
        std::memcpy(out_, s.data(), s.size());
        out_ += s.size();
    }

    // The text of a line, spelt; a long line goes out over several pieces.
    void spell(std::string_view text) {
        while (!text.empty()) {
            const std::size_t fits = std::min(room() / kLongestSpelling, text.size());
            if (fits == 0) {
                flush();
                continue;
            }
            out_ = spellBytes(text.substr(0, fits), out_);
            text.remove_prefix(fits);
        }
    }

    void flush() {
        put_({window_.get(), static_cast<std::size_t>(out_ - window_.get())});
        out_ = window_.get();
    }

  private:
    // Small enough to stay in the cache, big enough that the calls to put cost nothing.
    static constexpr std::size_t kWindow = 64 * 1024;

    std::size_t room() const { return static_cast<std::size_t>(window_.get() + kWindow - out_); }

    const Put& put_;
    std::unique_ptr<char[]> window_;
    char* out_;
};

// Each line's text lies wherever it was allocated, which the hardware cannot guess; fetching
// it a few lines ahead keeps the writer from waiting on memory at every line.
constexpr std::size_t kLinesAhead = 8;
constexpr std::size_t kFetchedBytes = 256;

inline void fetchAhead(const std::string& line) {
#if defined(__GNUC__) || defined(__clang__)
    const std::size_t size = std::min(line.size(), kFetchedBytes);
    for (std::size_t at = 0; at < size; at += 64) {
        __builtin_prefetch(line.data() + at);
    }
#else
    (void)line;
#endif
}

// The most bytes the document of the lines can take.
std::size_t longestDocument(const Lines& lines) {
    std::size_t size = kHeader.size() + (lines.size() + 1) * kParagraphEnd.size() + kFooter.size();
    for (const std::string& line : lines) {
        size += line.size() * kLongestSpelling;
    }
    return size;
}

} // namespace

} // namespace semtra::rtf::detail

namespace semtra::rtf {

// ---------------------------------------------------------------------------------------------

std::string write(const Lines& lines) {
    std::string doc;
    // Only reserved: the pages past the real size are never touched.
    doc.reserve(detail::longestDocument(lines));
    write(lines, [&doc](std::string_view piece) { doc += piece; });
    return doc;
}

void write(const Lines& lines, const Put& put) {
    detail::PieceWriter doc(put);
    doc.append(detail::kHeader);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + detail::kLinesAhead < lines.size()) {
            detail::fetchAhead(lines[i + detail::kLinesAhead]);
        }
        doc.spell(lines[i]);
        doc.append(detail::kParagraphEnd);
    }
    // One more paragraph mark, so that an empty last line (or an empty list) is kept.
    doc.append(detail::kParagraphEnd);
    doc.append(detail::kFooter);
    doc.flush();
}

} // namespace semtra::rtf
