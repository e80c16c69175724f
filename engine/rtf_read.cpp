// The RTF reader: control words, destinations, \u and its fallback, runs of text sixteen
// bytes at a time, and the cutting of the text into lines.

#include "engine/rtf.hpp"
#include "engine/rtf_detail.hpp"

#include "engine/codec.hpp"
#include "engine/errors.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace semtra::rtf::detail {

namespace {

// ---------------------------------------------------------------------------------------------
// Byte tables of the reader.

enum class Byte : std::uint8_t { Text, Backslash, Open, Close, Newline };

constexpr std::array<Byte, 256> kByteClass = [] {
    std::array<Byte, 256> table{};
    table['\\'] = Byte::Backslash;
    table['{'] = Byte::Open;
    table['}'] = Byte::Close;
    table['\r'] = Byte::Newline;
    table['\n'] = Byte::Newline;
    return table;
}();

constexpr std::uint8_t kNotHex = 0xFF;

constexpr std::array<std::uint8_t, 256> kHexValue = [] {
    std::array<std::uint8_t, 256> table{};
    table.fill(kNotHex);
    for (int i = 0; i < 10; ++i) {
        table['0' + i] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        table['a' + i] = static_cast<std::uint8_t>(10 + i);
        table['A' + i] = static_cast<std::uint8_t>(10 + i);
    }
    return table;
}();

inline unsigned char byteAt(const char* p) {
    return static_cast<unsigned char>(*p);
}

inline bool isLetter(unsigned char c) {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26;
}

inline bool isDigit(unsigned char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

[[noreturn]] void failToLoad() {
    throw EngineError(kFailedToLoadStream);
}

// ---------------------------------------------------------------------------------------------
// Control words the reader acts on; every other word only changes formatting and is ignored.

enum class Action : std::uint8_t { Emit, Break, Unicode, FallbackLength, Binary, Destination };

struct Word {
    std::string_view name;
    Action action;
    char byte = 0;
};

constexpr auto kWords = [] {
    auto words = std::to_array<Word>({
        {"aftncn", Action::Destination},
        {"aftnsep", Action::Destination},
        {"aftnsepc", Action::Destination},
        {"bin", Action::Binary},
        {"bullet", Action::Emit, '\x95'},
        {"colorschememapping", Action::Destination},
        {"colortbl", Action::Destination},
        {"datastore", Action::Destination},
        {"emdash", Action::Emit, '\x97'},
        {"endash", Action::Emit, '\x96'},
        {"filetbl", Action::Destination},
        {"fldinst", Action::Destination},
        {"fonttbl", Action::Destination},
        {"footer", Action::Destination},
        {"footerf", Action::Destination},
        {"footerl", Action::Destination},
        {"footerr", Action::Destination},
        {"footnote", Action::Destination},
        {"ftncn", Action::Destination},
        {"ftnsep", Action::Destination},
        {"ftnsepc", Action::Destination},
        {"generator", Action::Destination},
        {"header", Action::Destination},
        {"headerf", Action::Destination},
        {"headerl", Action::Destination},
        {"headerr", Action::Destination},
        {"info", Action::Destination},
        {"latentstyles", Action::Destination},
        {"ldblquote", Action::Emit, '\x93'},
        {"line", Action::Break},
        {"listoverridetable", Action::Destination},
        {"listtable", Action::Destination},
        {"listtext", Action::Destination},
        {"lquote", Action::Emit, '\x91'},
        {"nonshppict", Action::Destination},
        {"object", Action::Destination},
        {"par", Action::Break},
        {"pict", Action::Destination},
        {"pntext", Action::Destination},
        {"rdblquote", Action::Emit, '\x94'},
        {"revtbl", Action::Destination},
        {"rquote", Action::Emit, '\x92'},
        {"rsidtbl", Action::Destination},
        {"stylesheet", Action::Destination},
        {"tab", Action::Emit, '\t'},
        {"themedata", Action::Destination},
        {"u", Action::Unicode},
        {"uc", Action::FallbackLength},
        {"xmlnstbl", Action::Destination},
    });
    std::sort(words.begin(), words.end(),
              [](const Word& a, const Word& b) { return a.name < b.name; });
    return words;
}();

const Word* findWord(std::string_view name) {
    auto it = std::lower_bound(kWords.begin(), kWords.end(), name,
                               [](const Word& w, std::string_view n) { return w.name < n; });
    return it != kWords.end() && it->name == name ? &*it : nullptr;
}

// A parsed control word: letters, an optional signed number, the space delimiter dropped.
struct ControlWord {
    std::string_view name;
    bool hasParam = false;
    long param = 0;
};

// Keeps absurd parameters from overflowing; no meaningful value comes near it.
constexpr long kParamLimit = 100'000'000;

// p is at the first letter; on return it is past the word and its delimiter.
ControlWord readWord(const char*& p, const char* end) {
    const char* start = p;
    while (p < end && isLetter(byteAt(p))) {
        ++p;
    }
    ControlWord word{{start, static_cast<std::size_t>(p - start)}};
    const bool negative = end - p >= 2 && *p == '-' && isDigit(byteAt(p + 1));
    if (negative) {
        ++p;
    }
    if (p < end && isDigit(byteAt(p))) {
        long value = 0;
        for (; p < end && isDigit(byteAt(p)); ++p) {
            if (value < kParamLimit) {
                value = value * 10 + (*p - '0');
            }
        }
        word.hasParam = true;
        word.param = negative ? -value : value;
    }
    if (p < end && *p == ' ') {
        ++p;
    }
    return word;
}

// \'xx is nearly every byte of Cyrillic text, so it is decoded before anything else.
inline bool readHexEscape(const char*& p, const char* end, char*& out) {
    if (end - p < 4 || p[1] != '\'') {
        return false;
    }
    const unsigned high = kHexValue[byteAt(p + 2)];
    const unsigned low = kHexValue[byteAt(p + 3)];
    if ((high | low) > 0xF) {
        return false;
    }
    *out++ = static_cast<char>(high << 4 | low);
    p += 4;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Runs of text sixteen bytes at a time. A byte loop mispredicts a branch at almost every word
// boundary, and on Cyrillic text that is most of its time; a block takes its escapes and
// plain bytes all at once.

#ifdef SEMTRA_RTF_BLOCKS

// For each mask of 8 bytes: the positions it keeps, in order, and how many there are.
constexpr auto kKeptOrder = [] {
    std::array<std::array<std::uint8_t, 8>, 256> table{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        std::uint8_t n = 0;
        for (std::uint8_t bit = 0; bit < 8; ++bit) {
            if (mask >> bit & 1) {
                table[mask][n++] = bit;
            }
        }
    }
    return table;
}();

constexpr auto kKeptCount = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        for (unsigned bit = 0; bit < 8; ++bit) {
            table[mask] = static_cast<std::uint8_t>(table[mask] + (mask >> bit & 1));
        }
    }
    return table;
}();

// Writes the bytes keep marks, in order. Writes 16 bytes whatever it keeps.
SEMTRA_SSSE3 inline char* packKept(__m128i bytes, unsigned keep, char* out) {
    const unsigned low = keep & 0xFF;
    const unsigned high = keep >> 8 & 0xFF;
    const auto order = [](unsigned mask) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kKeptOrder[mask].data()));
    };
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(bytes, order(low)));
    out += kKeptCount[low];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out),
                     _mm_shuffle_epi8(_mm_srli_si128(bytes, 8), order(high)));
    return out + kKeptCount[high];
}

// Each byte is sorted by a lookup of its high and of its low half; the two sorts are ANDed.
constexpr std::uint8_t kLineBreak = 0x01; // \n \r
constexpr std::uint8_t kBrace = 0x02;     // { }
constexpr std::uint8_t kDigit = 0x04;     // 0-9
constexpr std::uint8_t kHexLetter = 0x08; // a-f A-F

using Lookup = std::array<std::uint8_t, 16>;

alignas(16) constexpr Lookup kKindOfHigh = [] {
    Lookup table{};
    table[0x0] = kLineBreak;
    table[0x3] = kDigit;
    table[0x4] = kHexLetter;
    table[0x6] = kHexLetter;
    table[0x7] = kBrace;
    return table;
}();
alignas(16) constexpr Lookup kKindOfLow = [] {
    Lookup table{};
    for (int low = 0; low < 16; ++low) {
        table[low] = static_cast<std::uint8_t>((low <= 9 ? kDigit : 0) |
                                               (low >= 1 && low <= 6 ? kHexLetter : 0));
    }
    table[0xA] |= kLineBreak;
    table[0xD] |= kLineBreak | kBrace;
    table[0xB] |= kBrace;
    return table;
}();
// Added to the low half of a hex digit for its value.
alignas(16) constexpr Lookup kHexOffset = [] {
    Lookup table{};
    table[0x4] = 9;
    table[0x6] = 9;
    return table;
}();

SEMTRA_SSSE3 inline __m128i lookUp(const Lookup& table, __m128i halves) {
    return _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(table.data())), halves);
}

// What the block loop needs to know of 16 bytes of the document.
struct Chunk {
    __m128i text;
    __m128i value;  // each byte's value as a hex digit, kept within 0..0xF even when it is none
    __m128i notHex; // the bytes that are no hex digit
    unsigned stops; // braces and line breaks, a bit for each byte
};

SEMTRA_SSSE3 inline Chunk readChunk(const char* p) {
    const __m128i text = load16(p);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i low = _mm_and_si128(text, nibble);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(text, 4), nibble);
    const __m128i kind = _mm_and_si128(lookUp(kKindOfHigh, high), lookUp(kKindOfLow, low));
    const __m128i none = _mm_setzero_si128();
    const __m128i notStop =
        _mm_cmpeq_epi8(_mm_and_si128(kind, _mm_set1_epi8(kLineBreak | kBrace)), none);
    return {text, _mm_and_si128(_mm_add_epi8(lookUp(kHexOffset, high), low), nibble),
            _mm_cmpeq_epi8(_mm_and_si128(kind, _mm_set1_epi8(kDigit | kHexLetter)), none),
            ~static_cast<unsigned>(_mm_movemask_epi8(notStop)) & 0xFFFF};
}

// What one block of 16 bytes holds.
struct Block {
    unsigned escapes; // bytes that start a \'xx escape
    unsigned stops;   // bytes a run stops at
    __m128i bytes;    // each escape's byte at its backslash, plain bytes as they are
};

// The block of chunk, with next for the escapes that run on into it. Every backslash before
// the first stop starts an escape, so up to there the escapes can be found all at once.
SEMTRA_SSSE3 inline Block readBlock(const Chunk& chunk, const Chunk& next) {
    const __m128i backslash = bytesEqual(chunk.text, '\\');
    const __m128i quote = bytesEqual(_mm_alignr_epi8(next.text, chunk.text, 1), '\'');
    const __m128i badDigit = _mm_or_si128(_mm_alignr_epi8(next.notHex, chunk.notHex, 2),
                                          _mm_alignr_epi8(next.notHex, chunk.notHex, 3));
    const __m128i escape = _mm_andnot_si128(badDigit, _mm_and_si128(backslash, quote));
    // The high digit is at most 0xF, so shifting the 16-bit lanes moves no bit across bytes.
    const __m128i decoded =
        _mm_or_si128(_mm_slli_epi16(_mm_alignr_epi8(next.value, chunk.value, 2), 4),
                     _mm_alignr_epi8(next.value, chunk.value, 3));
    return {static_cast<unsigned>(_mm_movemask_epi8(escape)),
            chunk.stops |
                static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(escape, backslash))),
            _mm_or_si128(_mm_and_si128(escape, decoded), _mm_andnot_si128(escape, chunk.text))};
}

// A block is read with the 16 bytes after it, and stop is 3 bytes short of the end.
constexpr std::ptrdiff_t kBlockReach = 32 - 3;

// How far ahead the document is fetched into the cache.
constexpr std::ptrdiff_t kPrefetchAhead = 1024;

// Runs of text a block at a time while the bytes a block reads are there. The blocks are taken
// at fixed steps of 16 bytes, so that no block waits for the one before it to be decoded; the
// "'xx" of an escape that crosses into the next block is carried over and dropped there.
// Writes 16 bytes for each block, which the room decodeRun is given leaves space for.
SEMTRA_SSSE3 const char* decodeBlocks(const char* p, const char* stop, char*& out) {
    if (stop - p < kBlockReach) {
        return p;
    }
    char* o = out;
    unsigned carried = 0; // the first bytes of this block, still part of an escape
    Chunk chunk = readChunk(p);
    while (stop - p >= kBlockReach) {
        _mm_prefetch(p + kPrefetchAhead, _MM_HINT_T0); // the hardware alone falls behind
        const Chunk next = readChunk(p + 16);
        const Block block = readBlock(chunk, next);
        const unsigned escaped = block.escapes << 1 | block.escapes << 2 | block.escapes << 3;
        const unsigned keep = ~(escaped | carried) & 0xFFFF;
        if (block.stops != 0) {
            // No byte of an escape is a stop, so every escape before the stop ends before it.
            const int stopAt = std::countr_zero(block.stops);
            out = packKept(block.bytes, keep & ((1u << stopAt) - 1), o);
            return p + stopAt;
        }
        o = packKept(block.bytes, keep, o);
        carried = escaped >> 16;
        chunk = next;
        p += 16;
    }
    out = o;
    return p + std::popcount(carried);
}

#endif

// Text as the rich-edit control writes it is runs of \'xx escapes and plain bytes; this loop
// takes them without leaving registers and stops at anything else or near the end. It reads
// up to 3 bytes past stop, and writes no more bytes than it takes.
inline const char* decodeRun(const char* p, const char* stop, char*& out) {
#ifdef SEMTRA_RTF_BLOCKS
    if (kHasSsse3) {
        p = decodeBlocks(p, stop, out);
    }
#endif
    char* o = out;
    while (p < stop) {
        const unsigned char c = byteAt(p);
        if (c == '\\') {
            const unsigned high = kHexValue[byteAt(p + 2)];
            const unsigned low = kHexValue[byteAt(p + 3)];
            if (p[1] != '\'' || (high | low) > 0xF) {
                break;
            }
            *o++ = static_cast<char>(high << 4 | low);
            p += 4;
        } else if (kByteClass[c] == Byte::Text) {
            *o++ = static_cast<char>(c);
            ++p;
        } else {
            break;
        }
    }
    out = o;
    return p;
}

// \uN carries a signed 16-bit number: negative values stand for N + 65536.
char32_t toCodePoint(long n) {
    if (n < 0) {
        n += 0x10000;
    }
    return n < 0 || n > 0x10FFFF ? U'\uFFFD' : static_cast<char32_t>(n);
}

bool isHighSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDBFF;
}
bool isLowSurrogate(char32_t cp) {
    return cp >= 0xDC00 && cp <= 0xDFFF;
}

// ---------------------------------------------------------------------------------------------
// Cutting text into lines.

// Calls add(first, last) for each line of the text: CR LF, lone CR and lone LF end a line, and
// a final line break makes no empty last line.
template <class Add> void forEachLine(std::string_view text, Add add) {
    const char* p = text.data();
    const char* const end = p + text.size();
    // memchr finds line ends far faster than a byte loop; each kind of line end is looked up
    // again only once the scan has passed the last one found.
    const auto find = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return hit != nullptr ? static_cast<const char*>(hit) : end;
    };
    const char* lf = find(p, '\n');
    const char* cr = find(p, '\r');
    while (p < end) {
        if (lf < p) {
            lf = find(p, '\n');
        }
        if (cr < p) {
            cr = find(p, '\r');
        }
        const char* eol = std::min(lf, cr);
        add(p, eol);
        if (eol == end) {
            break;
        }
        p = eol + (eol == cr && eol + 1 == lf ? 2 : 1);
    }
}

// Takes the reader's text a window at a time and cuts the finished lines out of it whenever
// the window fills: the text needs no buffer the size of the document and is cut while it is
// still in the cache. The strings already in the list are reused, so reading a list again
// allocates little.
class LineCollector {
  public:
    explicit LineCollector(Lines& lines) : lines_(lines), window_(kWindow, '\0') {}

    char* begin() { return window_.data(); }
    char* end() { return window_.data() + window_.size(); }

    // Cuts out the lines the window holds whole; returns where the text goes on.
    char* makeRoom(char* out);
    // The text ends at out.
    void finish(char* out);

  private:
    static constexpr std::size_t kWindow = 64 * 1024;

    void cut(std::string_view text) {
        forEachLine(text, [this](const char* first, const char* last) { add(first, last); });
    }
    void add(const char* first, const char* last) {
        if (count_ < lines_.size()) {
            lines_[count_].assign(first, last);
        } else {
            lines_.emplace_back(first, last);
        }
        ++count_;
    }

    Lines& lines_;
    std::size_t count_ = 0; // lines handed over so far
    std::string window_;
};

char* LineCollector::makeRoom(char* out) {
    const std::string_view text(begin(), static_cast<std::size_t>(out - begin()));
    // Text up to a line feed cuts the same alone as with what follows. The last byte stays:
    // it may be the final \par, which only closes the last line.
    const std::size_t lineFeed =
        text.size() < 2 ? std::string_view::npos : text.rfind('\n', text.size() - 2);
    std::size_t kept = text.size();
    if (lineFeed != std::string_view::npos) {
        cut(text.substr(0, lineFeed + 1));
        kept -= lineFeed + 1;
        std::memmove(begin(), begin() + lineFeed + 1, kept);
    }
    // A line longer than half the window gets a bigger one, so there is always room to go on.
    if (kept > window_.size() / 2) {
        window_.resize(window_.size() * 2);
    }
    return begin() + kept;
}

void LineCollector::finish(char* out) {
    std::string_view text(begin(), static_cast<std::size_t>(out - begin()));
    // The last \par only closes the final paragraph.
    if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    cut(text);
    lines_.resize(count_);
}

// ---------------------------------------------------------------------------------------------
// The reader: one pass over the document that keeps the plain text, with \par as '\n'.
// Every construct yields at most as many bytes as it occupies, and a step other than a run of
// text at most one, which is what bounds the room the text needs at any point.

class Reader {
  public:
    explicit Reader(std::string_view data)
        : begin_(data.data()), end_(data.data() + data.size()), fastEnd_(end_ - 3) {}

    // Hands the text to lines.
    void text(LineCollector& lines);

  private:
    // Where a run of text may go: short of the end by what the fast loop reads ahead, and no
    // further than its output has room for.
    const char* runStop(const char* p, std::ptrdiff_t room) const {
        return p + std::max<std::ptrdiff_t>(0, std::min(fastEnd_ - p, room));
    }

    const char* control(const char* p, char*& out);
    const char* symbol(const char* p, char*& out);
    const char* unicode(long n, const char* p, char*& out);
    const char* skipFallback(const char* p) const;
    const char* skipGroup(const char* p);

    void openGroup() { groups_.push_back(fallbackLength_); }
    void closeGroup() {
        fallbackLength_ = groups_.back();
        groups_.pop_back();
    }
    // Destinations are nested groups; a stray destination word at the top level must not
    // throw the whole document away.
    bool nested() const { return !groups_.empty(); }

    const char* begin_;
    const char* end_;
    const char* fastEnd_;     // the fast loop reads up to 3 bytes ahead
    int fallbackLength_ = 1;  // \ucN: characters after \uN that stand in for it
    std::vector<int> groups_; // the \uc value of each enclosing group below the top one
};

void Reader::text(LineCollector& lines) {
    const char* p = begin_ + 1; // past the top group's '{'
    char* out = lines.begin();
    while (p < end_) {
        // Room for a run and one more byte.
        if (lines.end() - out < 2) {
            out = lines.makeRoom(out);
        }
        p = decodeRun(p, runStop(p, lines.end() - out - 1), out);
        if (p == end_) {
            break;
        }
        switch (kByteClass[byteAt(p)]) {
        case Byte::Text:
            *out++ = *p++;
            break;
        case Byte::Backslash:
            if (!readHexEscape(p, end_, out)) {
                p = control(p, out);
            }
            break;
        case Byte::Open:
            openGroup();
            ++p;
            break;
        case Byte::Close:
            ++p;
            if (!nested()) {
                lines.finish(out); // whatever follows the final brace is not part of the document
                return;
            }
            closeGroup();
            break;
        case Byte::Newline:
            ++p;
            break;
        }
    }
    failToLoad(); // the top group never closed: a torn document
}

// p is at a backslash that does not start a \'xx escape.
const char* Reader::control(const char* p, char*& out) {
    ++p;
    if (p == end_) {
        return p;
    }
    if (!isLetter(byteAt(p))) {
        return symbol(p, out);
    }
    const ControlWord word = readWord(p, end_);
    if (word.name.size() == 3 && word.name[0] == 'p' && word.name[1] == 'a' &&
        word.name[2] == 'r') { // by far the most common word
        *out++ = '\n';
        return p;
    }
    const Word* known = findWord(word.name);
    if (known == nullptr) {
        return p;
    }
    switch (known->action) {
    case Action::Emit:
        *out++ = known->byte;
        break;
    case Action::Break:
        *out++ = '\n';
        break;
    case Action::Unicode:
        if (word.hasParam) {
            p = unicode(word.param, p, out);
        }
        break;
    case Action::FallbackLength:
        if (word.hasParam) {
            fallbackLength_ = static_cast<int>(std::clamp(word.param, 0L, 255L));
        }
        break;
    case Action::Binary:
        if (word.param > 0) {
            p += std::min<long>(word.param, end_ - p);
        }
        break;
    case Action::Destination:
        if (nested()) {
            p = skipGroup(p);
        }
        break;
    }
    return p;
}

// p is at the character after the backslash, which is not a letter.
const char* Reader::symbol(const char* p, char*& out) {
    switch (*p) {
    case '\\':
    case '{':
    case '}':
        *out++ = *p;
        break;
    case '~':
        *out++ = '\xA0';
        break;
    case '_':
        *out++ = '-';
        break;
    case '\r':
    case '\n':
        *out++ = '\n'; // a backslash before a line break is an old spelling of \par
        break;
    case '*':
        if (nested()) {
            return skipGroup(p + 1);
        }
        break;
    default: // \- (optional hyphen), a malformed \' and symbols without text
        break;
    }
    return p + 1;
}

const char* Reader::unicode(long n, const char* p, char*& out) {
    char32_t cp = toCodePoint(n);
    p = skipFallback(p);
    // A character outside the BMP comes as two \u words; it is one character of text.
    if (isHighSurrogate(cp) && end_ - p >= 3 && p[0] == '\\' && p[1] == 'u' &&
        (p[2] == '-' || isDigit(byteAt(p + 2)))) {
        const char* q = p + 1;
        const ControlWord low = readWord(q, end_);
        const char32_t lowCp = toCodePoint(low.param);
        if (low.name == "u" && low.hasParam && isLowSurrogate(lowCp)) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (lowCp - 0xDC00);
            p = skipFallback(q);
        }
    }
    *out++ = codec::fromUnicode(cp);
    return p;
}

// The fallback is made of \'xx escapes and literal characters; a brace or any other control
// ends it early, so a missing fallback never swallows a \par.
const char* Reader::skipFallback(const char* p) const {
    for (int left = fallbackLength_; left > 0 && p < end_;) {
        switch (kByteClass[byteAt(p)]) {
        case Byte::Text:
            ++p;
            --left;
            break;
        case Byte::Newline:
            ++p;
            break;
        case Byte::Backslash: {
            char scratch;
            char* sink = &scratch;
            if (!readHexEscape(p, end_, sink)) {
                return p;
            }
            --left;
            break;
        }
        case Byte::Open:
        case Byte::Close:
            return p;
        }
    }
    return p;
}

// Drops the rest of the current group, nested groups included, and closes it.
const char* Reader::skipGroup(const char* p) {
    int depth = 1;
    while (p < end_) {
        switch (kByteClass[byteAt(p)]) {
        case Byte::Text:
        case Byte::Newline:
            ++p;
            break;
        case Byte::Open:
            ++depth;
            ++p;
            break;
        case Byte::Close:
            ++p;
            if (--depth == 0) {
                closeGroup();
                return p;
            }
            break;
        case Byte::Backslash:
            ++p;
            if (p < end_ && isLetter(byteAt(p))) {
                const ControlWord word = readWord(p, end_);
                if (word.name == "bin" && word.param > 0) {
                    p += std::min<long>(word.param, end_ - p); // raw bytes may hold braces
                }
            } else if (p < end_) {
                ++p; // \{ \} \\ do not count as braces
            }
            break;
        }
    }
    failToLoad();
}

} // namespace

} // namespace semtra::rtf::detail

namespace semtra::rtf {

// ---------------------------------------------------------------------------------------------

bool looksLikeRtf(std::string_view data) {
    return data.starts_with("{\\rtf");
}

Lines parse(std::string_view data) {
    Lines lines;
    parse(data, lines);
    return lines;
}

void parse(std::string_view data, Lines& lines) {
    if (!looksLikeRtf(data)) {
        detail::failToLoad();
    }
    detail::LineCollector collector(lines);
    detail::Reader(data).text(collector);
}

Lines splitPlain(std::string_view text) {
    Lines lines;
    detail::forEachLine(
        text, [&lines](const char* first, const char* last) { lines.emplace_back(first, last); });
    return lines;
}

} // namespace semtra::rtf
