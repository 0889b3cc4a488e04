// The help text, written in Markdown, as rich text for the RichEdit control that shows it:
// headings, lists, tables, bold, emphasis, code and indented blocks (line by line, in a
// fixed-width font) are kept; the rest reads as plain paragraphs.
#pragma once

#include <string>
#include <string_view>

namespace brannock_win32 {

struct RtfLook {
    std::wstring face = L"Segoe UI";  // the body's font
    int points = 9;                   // its size
    int widthTwips = 9000;            // the width a table spreads over
};

// 7-bit RTF; characters beyond ASCII are written as \uN escapes.
std::string MarkdownToRtf(std::string_view markdown, const RtfLook& look);

}  // namespace brannock_win32
