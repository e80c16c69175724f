#include "engine/rtf.hpp"

#include "engine/codec.hpp"
#include "engine/errors.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace semtra::rtf {

namespace {

// ---------------------------------------------------------------------------------------------
// Byte tables shared by the reader and the writer.

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

// Text as the rich-edit control writes it is runs of \'xx escapes and plain bytes; this loop
// takes them without leaving registers and stops at anything else or near the end.
inline const char* decodeRun(const char* p, const char* stop, char*& out) {
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
// The reader: one pass over the document that keeps the plain text, with \par as '\n'.
// Every construct yields at most as many bytes as it occupies, so the output never outgrows
// the input.

class Reader {
  public:
    explicit Reader(std::string_view data) : begin_(data.data()), end_(data.data() + data.size()) {}

    // Writes the text to out, which has room for as many bytes as the document; returns its end.
    char* text(char* out);

  private:
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
    int fallbackLength_ = 1;  // \ucN: characters after \uN that stand in for it
    std::vector<int> groups_; // the \uc value of each enclosing group below the top one
};

char* Reader::text(char* out) {
    const char* p = begin_ + 1;           // past the top group's '{'
    const char* const fastEnd = end_ - 3; // the fast loop reads up to 3 bytes ahead
    while (p < end_) {
        p = decodeRun(p, fastEnd, out);
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
                return out; // whatever follows the final brace is not part of the document
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

inline char* append(char* out, std::string_view s) {
    std::memcpy(out, s.data(), s.size());
    return out + s.size();
}

} // namespace

// ---------------------------------------------------------------------------------------------

bool looksLikeRtf(std::string_view data) {
    return data.starts_with("{\\rtf");
}

Lines parse(std::string_view data) {
    if (!looksLikeRtf(data)) {
        failToLoad();
    }
    // Left uninitialised: zeroing a buffer the size of the document would cost a pass of its own.
    const std::unique_ptr<char[]> buffer(new char[data.size()]);
    std::string_view text(buffer.get(),
                          static_cast<std::size_t>(Reader(data).text(buffer.get()) - buffer.get()));
    // The last \par only closes the final paragraph.
    if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    return splitPlain(text);
}

std::string write(const Lines& lines) {
    std::size_t capacity =
        kHeader.size() + (lines.size() + 1) * kParagraphEnd.size() + kFooter.size();
    for (const std::string& line : lines) {
        capacity += line.size() * kLongestSpelling;
    }
    std::string doc(capacity, '\0');
    char* out = append(doc.data(), kHeader);
    for (const std::string& line : lines) {
        // Each spelling is copied whole (4 bytes) and the pointer advanced by its length;
        // the worst-case sizing leaves room for the overhang.
        for (const char c : line) {
            const Spelling& s = kSpelling[static_cast<unsigned char>(c)];
            std::memcpy(out, s.bytes.data(), kLongestSpelling);
            out += s.length;
        }
        out = append(out, kParagraphEnd);
    }
    // One more paragraph mark, so that an empty last line (or an empty list) is kept.
    out = append(out, kParagraphEnd);
    out = append(out, kFooter);
    doc.resize(static_cast<std::size_t>(out - doc.data()));
    return doc;
}

Lines splitPlain(std::string_view text) {
    Lines lines;
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
        lines.emplace_back(p, eol);
        if (eol == end) {
            break;
        }
        p = eol + (eol == cr && eol + 1 == lf ? 2 : 1);
    }
    return lines;
}

} // namespace semtra::rtf
