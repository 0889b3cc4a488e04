// Laying out texts that name paths for boxes and tips that would otherwise break a long path
// anywhere, or show only part of it. Toolkit-free: a shell measures with its own font.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace textwrap {

// Whether one line fits where it is to be shown.
using Fits = std::function<bool(std::string_view line)>;

// `text` with its lines broken so that each fits: between words where it can, and a word too
// long for a line of its own (a path) after one of its separators, never after its root ("/",
// "C:\", "\\"); only a word without such a break is cut where the line is full. Line feeds in
// `text` stay.
std::string Wrap(std::string_view text, const Fits& fits);

// A measure for Wrap that counts characters (UTF-8 code points).
Fits AtMostChars(std::size_t maxChars);

// `text` cut to at most `maxChars` characters, ending in "..." when it was cut; never in the
// middle of a character.
std::string Cut(std::string_view text, std::size_t maxChars);

// `text` made to fit where only a limited text is shown (a tray tip): the paths in it lose
// their middle, longest first, as "C:\Users\...\name.txt" (their root and last part stay as
// long as they can), so the words around them, such as a failure's cause, stay whole. Only
// when every path is down to that is the end cut, with "...". Unchanged when it fits.
std::string Shorten(std::string_view text, const Fits& fits);

}  // namespace textwrap
