#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "subtitles/Markup.h"
#include "subtitles/ReaderTable.h"

namespace orvalen {
namespace {

// Lines joined by "¶"; a styled run as "(flags:text)" with flags from b, i, u and #rrggbb.
std::string Describe(const std::vector<StyledLine>& lines) {
    std::string out;
    for (size_t l = 0; l < lines.size(); ++l) {
        if (l > 0) out += "¶";
        for (const StyledRun& run : lines[l]) {
            EXPECT_FALSE(run.Text.empty());
            std::string flags;
            if (run.Style.Bold) flags += 'b';
            if (run.Style.Italic) flags += 'i';
            if (run.Style.Underline) flags += 'u';
            if (run.Style.HasColour) {
                char colour[8];
                std::snprintf(colour, sizeof colour, "#%06x", run.Style.Colour);
                flags += colour;
            }
            out += flags.empty() ? run.Text : "(" + flags + ":" + run.Text + ")";
        }
    }
    return out;
}

struct MarkupCase {
    MarkupFamily family;
    std::string text;
    std::string expected;
};

void PrintTo(const MarkupCase& c, std::ostream* os) {
    *os << static_cast<int>(c.family) << " \"" << c.text << "\"";
}

class MarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTest, GivesStyledLines) {
    const MarkupCase& c = GetParam();
    EXPECT_EQ(Describe(ParseMarkup(c.text, c.family)), c.expected);
}

using F = MarkupFamily;

INSTANTIATE_TEST_SUITE_P(
    SubRip, MarkupTest,
    ::testing::Values(
        MarkupCase{F::SubRip, "<i>Hello</i>\n", "(i:Hello)"},
        MarkupCase{F::SubRip, "<b>Bold</b> and <U>under</U>", "(b:Bold) and (u:under)"},
        MarkupCase{F::SubRip, "<b><i>both</i> bold</b> plain", "(bi:both)(b: bold) plain"},
        MarkupCase{F::SubRip, "<i><i>x</i>still</i>no", "(i:xstill)no"},
        MarkupCase{F::SubRip, "<b>a\nb</b>", "(b:a)¶(b:b)"},
        MarkupCase{F::SubRip, "<font color=\"#FF0000\">red</font>", "(#ff0000:red)"},
        MarkupCase{F::SubRip, "<font color=red>r</font><FONT COLOR='#0f0'>g</FONT>",
                   "(#ff0000:r)(#00ff00:g)"},
        MarkupCase{F::SubRip, "<font color=\"blue\">a<font color=\"ffff00\">b</font>c</font>",
                   "(#0000ff:a)(#ffff00:b)(#0000ff:c)"},
        MarkupCase{F::SubRip, "<font face=\"Arial\">x</font><font color=\"nope\">y</font>", "xy"},
        // Unclosed tags style to the end; a stray closing tag is dropped.
        MarkupCase{F::SubRip, "<i>open", "(i:open)"},
        MarkupCase{F::SubRip, "text</i> more</font>", "text more"},
        // Broken or unknown markup stays as text.
        MarkupCase{F::SubRip, "<i>ends with <", "(i:ends with <)"},
        MarkupCase{F::SubRip, "a < b and c > d", "a < b and c > d"},
        MarkupCase{F::SubRip, "<3 <span>x</span>", "<3 <span>x</span>"},
        MarkupCase{F::SubRip, "<i\nsplit>", "<i¶split>"}, MarkupCase{F::SubRip, "<<i>x", "<(i:x)"},
        MarkupCase{F::SubRip, "<i></i>", ""},
        MarkupCase{F::SubRip, "{\\an8}Top {\\i1}x{\\i0}y", "Top (i:x)y"},
        MarkupCase{F::SubRip, "{not a block}", "{not a block}"},
        MarkupCase{F::SubRip, "One\r\nTwo  \rThree\n\n", "One¶Two¶Three"},
        MarkupCase{F::SubRip, "A\n\nB", "A¶¶B"}, MarkupCase{F::SubRip, "&amp;", "&amp;"}));

INSTANTIATE_TEST_SUITE_P(
    WebVtt, MarkupTest,
    ::testing::Values(
        MarkupCase{F::WebVtt, "<v Bob>Hi</v> <i>you</i>", "Hi (i:you)"},
        MarkupCase{F::WebVtt, "<c.yellow.loud>warn</c> <c.loud>x</c>", "(#ffff00:warn) x"},
        MarkupCase{F::WebVtt, "&lt;i&gt; &amp; &#233;&#xE9;&nbsp;!",
                   "<i> & \xC3\xA9\xC3\xA9\xC2\xA0!"},
        MarkupCase{F::WebVtt, "A &unknown; B & C &#0; &#xD800;", "A &unknown; B & C &#0; &#xD800;"},
        MarkupCase{F::WebVtt, "<00:00:01.000>one <00:01.500>two", "one two"},
        MarkupCase{F::WebVtt, "<lang en><ruby>kan<rt>ji</rt></ruby></lang>", "kanji"},
        MarkupCase{F::WebVtt, "<font color=\"#00ff00\">g</font>", "(#00ff00:g)"},
        MarkupCase{F::WebVtt, "<span>x</span> <C>y</C>", "<span>x</span> <C>y</C>"},
        // A closing tag ends its own scope, also under another one.
        MarkupCase{F::WebVtt, "<font color=red>a<c.yellow>b</font>c</c>d",
                   "(#ff0000:a)(#ffff00:bc)d"},
        MarkupCase{F::WebVtt, "<c.lime>a<font color=red>b<c>c</c></c>d</font>e",
                   "(#00ff00:a)(#ff0000:bcd)e"},
        MarkupCase{F::WebVtt, "<1<2 <i>x</i> <3>", "<1<2 (i:x) <3>"}));

INSTANTIATE_TEST_SUITE_P(
    Ssa, MarkupTest,
    ::testing::Values(
        MarkupCase{F::Ssa, "{\\i1}Hello{\\i0} world", "(i:Hello) world"},
        MarkupCase{F::Ssa, "{\\b1}B{\\b0}{\\u1}U{\\u}{\\b700}W{\\b400}n", "(b:B)(u:U)(b:W)n"},
        MarkupCase{F::Ssa, "{\\c&H0000FF&}red{\\c}plain{\\1c&HFF0000&}blue{\\c&H80FFFFFF}w",
                   "(#ff0000:red)plain(#0000ff:blue)(#ffffff:w)"},
        MarkupCase{F::Ssa, "{\\an8\\pos(10,20)}Top{\\fad(200,200)}", "Top"},
        MarkupCase{F::Ssa, "{\\i1\\b1}x{\\r}y{\\rAlt}z", "(bi:x)yz"},
        MarkupCase{F::Ssa, "One\\NTwo\\nThree", "One¶Two¶Three"},
        MarkupCase{F::Ssa, "a\\hb \\q",
                   "a\xC2\xA0"
                   "b \\q"},
        MarkupCase{F::Ssa, "{\\t(0,500,\\i1)\\clip(0,0,9,9)\\be1\\bord2\\iclip(1,1,2,2)}x", "x"},
        MarkupCase{F::Ssa, "{\\c&HZZ&\\b2\\i-1}x", "x"},
        MarkupCase{F::Ssa, "{comment}text", "text"},
        MarkupCase{F::Ssa, "{\\i1 unclosed", "{\\i1 unclosed"},
        // The SSA reader's "/n" arrives as " \n".
        MarkupCase{F::Ssa, "Hi \nthere\n", "Hi¶there"},
        MarkupCase{F::Ssa, "<i>x</i>|y", "<i>x</i>|y"}));

INSTANTIATE_TEST_SUITE_P(
    MicroDvd, MarkupTest,
    ::testing::Values(MarkupCase{F::MicroDvd, "{y:i}One|Two", "(i:One)¶Two"},
                      MarkupCase{F::MicroDvd, "{Y:b}One|Two", "(b:One)¶(b:Two)"},
                      MarkupCase{F::MicroDvd, "A\rB|C|\n", "A¶B¶C"},
                      MarkupCase{F::MicroDvd, "{c:$0000ff}{y:b,u}{f:DeJaVuSans}{s:12}Very good.",
                                 "(bu#ff0000:Very good.)"},
                      MarkupCase{F::MicroDvd, "{C:$00FF00}a|{c:$FF0000}b|c",
                                 "(#00ff00:a)¶(#0000ff:b)¶(#00ff00:c)"},
                      MarkupCase{F::MicroDvd, "/italic line|normal a/b",
                                 "(i:italic line)¶normal a/b"},
                      MarkupCase{F::MicroDvd, "{z:1}x {y:i {2}", "{z:1}x {y:i {2}"},
                      MarkupCase{F::MicroDvd, "{y:q}x", "x"}));

INSTANTIATE_TEST_SUITE_P(
    Breaks, MarkupTest,
    ::testing::Values(MarkupCase{F::BarBreaks, "A|B|C\n", "A¶B¶C"},
                      MarkupCase{F::BarBreaks, "{y:i}<i>x</i>", "{y:i}<i>x</i>"},
                      MarkupCase{F::BrTags, "a[br]b[BR]c[Br]d[b]e[br", "a¶b¶c¶d[b]e[br"},
                      MarkupCase{F::Plain, "<i>x</i>|y{\\i1}", "<i>x</i>|y{\\i1}"},
                      MarkupCase{F::Plain, "", ""}, MarkupCase{F::Plain, "\n\r\n  \n", ""},
                      MarkupCase{F::Plain, "\xff\xfe<\x80", "\xff\xfe<\x80"}));

TEST(KeepWhatScreenShows, CutsHugeEntriesOnCharacterBoundaries) {
    std::string manyLines;
    for (int i = 0; i < 100000; ++i) manyLines += "x\n";
    std::vector<StyledLine> tall = ParseMarkup(manyLines + "\n\n\n", F::Plain);
    KeepWhatScreenShows(tall);
    EXPECT_EQ(tall.size(), ShownLinesMax);
    std::string wideLine = "<i>a</i>";
    for (int i = 0; i < 500000; ++i) wideLine += "\xC3\xA9";
    std::vector<StyledLine> wide = ParseMarkup(wideLine, F::SubRip);
    KeepWhatScreenShows(wide);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0][1].Text.size(), ShownBytesMax - 2);
}

TEST(MarkupFamilyOf, FollowsEachReadersConventions) {
    using R = SubtitleReaderId;
    EXPECT_EQ(MarkupFamilyOf(R::SubRip), F::SubRip);
    EXPECT_EQ(MarkupFamilyOf(R::SubStationAlpha), F::Ssa);
    EXPECT_EQ(MarkupFamilyOf(R::MicroDvd), F::MicroDvd);
    EXPECT_EQ(MarkupFamilyOf(R::MPlayer), F::BarBreaks);
    EXPECT_EQ(MarkupFamilyOf(R::SubViewer2), F::BrTags);
    EXPECT_EQ(MarkupFamilyOf(R::MacSub), F::Plain);
    EXPECT_EQ(MarkupFamilyOf(R::None), F::Plain);
}

}  // namespace
}  // namespace orvalen
