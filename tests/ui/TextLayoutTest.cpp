// Texts laid out for boxes and tips: long paths break after a separator, never after their
// root; tips are cut whole characters at a time, and shortened in their paths' middles so the
// cause after them stays.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/TextWrap.h"

namespace {

using namespace textwrap;

TEST(TextWrap, PathsBreakAfterASeparatorButNeverAfterTheirRoot) {
    using Row = std::tuple<std::string, std::size_t, std::string>;  // text, width, wrapped
    for (const auto& [text, width, wrapped] :
         {// The path does not fit after the words: it starts a line of its own rather than
          // leaving its root "/" at the end of the first line.
          Row{"Cannot read the program folder /tmp/brannock", 34,
              "Cannot read the program folder\n/tmp/brannock"},
          // Too long for any line: broken after the last separator that fits, and the words
          // that follow go on after its tail.
          Row{"Copying file /home/ann/Data/Letters/2026/may.txt failed", 20,
              "Copying file\n/home/ann/Data/\nLetters/2026/may.txt\nfailed"},
          // Without a separator past the root that fits, the word is cut where the line is
          // full: a root, with a drive or quotes before it, never makes a line alone.
          Row{"C:\\abcdefgh", 5, "C:\\ab\ncdefg\nh"}, Row{"\"/abcdefg", 4, "\"/ab\ncdef\ng"},
          // Line feeds stay; characters, not bytes, are counted ("ä" is two bytes).
          Row{"Sync Disabled\nNo Sync To path set", 64, "Sync Disabled\nNo Sync To path set"},
          Row{"/hä/hä", 4, "/hä/\nhä"},
          // A line too narrow for even one character still takes one, and no empty line follows.
          Row{"ab", 0, "a\nb"}})
        EXPECT_EQ(Wrap(text, AtMostChars(width)), wrapped) << text;
}

TEST(TextCut, CutsWholeCharactersAndSaysSo) {
    // The tray tip's and balloon's fields: a text of exactly their length stays whole.
    for (std::size_t limit : {127u, 255u}) {
        EXPECT_EQ(Cut(std::string(limit, 'a'), limit), std::string(limit, 'a'));
        EXPECT_EQ(Cut(std::string(limit + 1, 'a'), limit), std::string(limit - 3, 'a') + "...");
    }
    EXPECT_EQ(Cut("äöüäöü", 5), "äö...");
    EXPECT_EQ(Cut("abcdef", 2), "..");
}

TEST(TextShorten, PathsLoseTheirMiddleLongestFirstAndTheCauseStays) {
    const std::string tip =
        "Sync Disabled\nCopying file Z:\\work\\sources\\2026\\letters\\drafts\\r.txt to "
        "Z:\\work\\mirror\\Z\\work\\sources\\2026\\letters\\drafts\\r.txt: Unable to open "
        "destination file";
    // Both paths give way, the longer first, down to the same length here.
    EXPECT_EQ(Shorten(tip, AtMostChars(90)),
              "Sync Disabled\nCopying file Z:\\w...\\r.txt to Z:\\w...\\r.txt: Unable to open "
              "destination file");
    // What fits is left alone; a measure other than characters is honoured.
    EXPECT_EQ(Shorten(tip, AtMostChars(500)), tip);
    const std::string bytes =
        Shorten(tip, [](std::string_view line) { return line.size() <= 100; });
    EXPECT_LE(bytes.size(), 100u);
    EXPECT_NE(bytes.find(": Unable to open destination file"), std::string::npos) << bytes;

    // A long last part keeps its end; when the paths are down to root and last part the end
    // of the text is cut, whole characters at a time.
    EXPECT_EQ(Shorten("x /home/ann/a-very-long-file-name.txt y", AtMostChars(28)),
              "x /...y-long-file-name.txt y");
    EXPECT_EQ(
        Shorten("Kein Zugriff auf /h\xC3\xA4/b/c/d \xC3\xA4\xC3\xA4\xC3\xA4", AtMostChars(10)),
        "Kein Zu...");
    EXPECT_EQ(Shorten("a/b c", AtMostChars(3)), "...");
}

}  // namespace
