#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace semtra::rtf {

using Lines = std::vector<std::string>;

// Takes each piece of a document in turn; a piece is only valid during the call.
using Put = std::function<void(std::string_view piece)>;

// True when the data starts with the five bytes "{\rtf".
bool looksLikeRtf(std::string_view data);

// Reads a Rich Text Format document into its paragraphs, one line per paragraph, as
// Windows-1251 bytes. Throws EngineError(kFailedToLoadStream) on a document it cannot read.
Lines parse(std::string_view data);

// As parse, into lines, whose strings are reused so that reading a list again allocates
// little. On a document it cannot read, lines keeps only part of the text.
void parse(std::string_view data, Lines& lines);

// Writes the lines as an RTF document in code page 1251, one paragraph per line, so that
// parse() gives back exactly the same lines (lines must hold no CR or LF).
std::string write(const Lines& lines);

// As write, handing the document to put a piece at a time as it is made.
void write(const Lines& lines, const Put& put);

// Splits plain text into lines: CR LF, lone CR and lone LF end a line; a final line break
// makes no empty last line.
Lines splitPlain(std::string_view text);

} // namespace semtra::rtf
