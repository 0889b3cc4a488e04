// Texts laid out for boxes and tips: long paths break after a separator, never after their
// root; tips are cut whole characters at a time; the About box leaves out links it has no
// address for.
#include <gtest/gtest.h>

#include "ui/TextWrap.h"
#include "ui/headless/HeadlessAbout.h"

namespace {

using textwrap::AtMostChars;
using textwrap::Cut;
using textwrap::Wrap;

TEST(TextWrap, PathsBreakAfterASeparatorButNeverAfterTheirRoot) {
    // The path does not fit after the words: it starts a line of its own rather than leaving
    // its root "/" at the end of the first line.
    EXPECT_EQ(Wrap("Cannot read the program folder /tmp/brannock", AtMostChars(34)),
              "Cannot read the program folder\n/tmp/brannock");
    // Too long for any line: broken after the last separator that fits, and the words that
    // follow go on after its tail.
    EXPECT_EQ(Wrap("Copying file /home/ann/Data/Letters/2026/may.txt failed", AtMostChars(20)),
              "Copying file\n/home/ann/Data/\nLetters/2026/may.txt\nfailed");
    EXPECT_EQ(Wrap("C:\\Users\\ann\\Documents\\x.txt", AtMostChars(12)),
              "C:\\Users\\\nann\\\nDocuments\\\nx.txt");
    // A root alone never makes a line: "\\" and "C:\" have no separator to break after.
    EXPECT_EQ(Wrap("\\\\server\\share", AtMostChars(9)), "\\\\server\\\nshare");
    // Without a separator that fits, the word is cut where the line is full.
    EXPECT_EQ(Wrap("/abcdefghij", AtMostChars(4)), "/abc\ndefg\nhij");
}

TEST(TextWrap, LineFeedsAndShortTextsStayAsTheyAre) {
    const std::string text = "Sync Disabled\nNo Sync To path set";
    EXPECT_EQ(Wrap(text, AtMostChars(64)), text);
    EXPECT_EQ(Wrap("one two  three", AtMostChars(9)), "one two \nthree");
    // Characters, not bytes, are counted: "ä" is two bytes and one character.
    EXPECT_EQ(Wrap("/hä/hä", AtMostChars(4)), "/hä/\nhä");
}

TEST(TextCut, CutsWholeCharactersAndSaysSo) {
    EXPECT_EQ(Cut("Sync Ready", 127), "Sync Ready");
    EXPECT_EQ(Cut("abcdefgh", 6), "abc...");
    EXPECT_EQ(Cut("äöüäöü", 5), "äö...");
    EXPECT_EQ(Cut("abcdef", 2), "..");
}

TEST(AboutLinks, AnAddressShowsUnderItsCaptionAndNoAddressLeavesBothLinesOut) {
    HeadlessAbout given({"https://brannock.example.org/", "team@example.org"});
    given.form.Form_Load();
    EXPECT_FALSE(given.Label1.caption.empty() || given.lblEmail.caption.empty());
    EXPECT_EQ(given.Url1.caption + "|" + given.Url1.target,
              "https://brannock.example.org/|https://brannock.example.org/");
    EXPECT_EQ(given.Url2.caption + "|" + given.Url2.target,
              "team@example.org|mailto:team@example.org");

    HeadlessAbout none({"", ""});
    none.form.Form_Load();
    for (const std::string& text : {none.Label1.caption, none.Url1.caption, none.Url1.target,
                                    none.lblEmail.caption, none.Url2.caption, none.Url2.target})
        EXPECT_EQ(text, "");
}

}  // namespace
