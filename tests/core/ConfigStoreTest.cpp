#include "StoredValue.h"
#include "TestFiles.h"

#include "config/ConfigStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

using namespace testfiles;

namespace {

ConfigStore Parsed(const std::string& text) {
    ConfigStore store;
    store.Parse(text);
    return store;
}

} // namespace

TEST(ConfigRead, HeadersAreTrimmedAndCutAtTheFirstBracket) {
    ConfigStore s = Parsed("  [ Score ]  \nA=1\n[Score2] trailing ] text\nB=2\n[]\nC=3\n");
    EXPECT_EQ(Stored(s, "Score", "A"), "1");
    EXPECT_EQ(Stored(s, "Score2", "B"), "2");
    // "[]" selects the unnamed section, which the first header already
    // stored: like any repeated section, its later entries are dropped.
    EXPECT_EQ(Stored(s, "", "C"), "<missing>");
}

TEST(ConfigRead, MalformedLinesAreSkipped) {
    // An unclosed header and a lone "[" do not change the section; "x" and
    // "=5" are not entries; "; a = b" is an entry, as there are no comments.
    ConfigStore s = Parsed("[S]\n[Score\n[\nx\n=5\nk=v\n; a = b\nnoequals\n");
    Section all;
    ASSERT_TRUE(s.GetSection("S", all));
    EXPECT_EQ(all.size(), 2u);
    EXPECT_EQ(Stored(s, "S", "k"), "v");
    EXPECT_EQ(Stored(s, "S", "; a"), "b");
    EXPECT_FALSE(s.GetSection("Score", all));
}

TEST(ConfigRead, KeyValueSplitAtTheFirstEqualsAfterTheFirstCharacter) {
    ConfigStore s = Parsed("a==5\n\tkey\t =\t\nw = x = y\n=q=r\n");
    EXPECT_EQ(Stored(s, "", "a"), "=5");
    EXPECT_EQ(Stored(s, "", "key"), "");
    EXPECT_EQ(Stored(s, "", "w"), "x = y");
    EXPECT_EQ(Stored(s, "", "=q"), "r"); // a leading "=" belongs to the key
}

TEST(ConfigRead, OnlyTabCrLfAndBlankAreTrimmed) {
    ConfigStore s = Parsed("\x0b"
                           "k=\x01v\x01 \t\r\n");
    EXPECT_EQ(Stored(s, "", "\x0bk"), "\x01v\x01");
}

TEST(ConfigRead, FirstOccurrenceWinsForKeysAndSections) {
    ConfigStore s = Parsed("[A]\nk=first\nk=second\n[B]\nx=1\n[A]\nk=third\nm=4\n");
    EXPECT_EQ(Stored(s, "A", "k"), "first");
    EXPECT_EQ(Stored(s, "A", "m"), "<missing>"); // the second [A] is dropped whole
    EXPECT_EQ(Stored(s, "B", "x"), "1");
}

// Every line is read whole: long values that the writer itself made (three
// tabs added to each) used to come back cut at the next start, the rest of
// the line becoming an entry of its own.
TEST(ConfigRead, LongValuesSurviveAStartAndAClose) {
    const std::string path = TempFile("long.cfg");
    ConfigStore first;
    for (size_t length : {1016u, 1019u, 1020u, 1023u, 5000u}) {
        const std::string pattern = "x=y [A]\t\xc0";
        std::string value;
        for (size_t k = 0; value.size() < length; ++k)
            value += pattern[k % pattern.size()];
        value.back() = 'z'; // a trailing blank would be trimmed
        first.SetString("Russian", "PS_" + std::to_string(length), value);
    }
    ASSERT_TRUE(first.Save(path));
    ConfigStore second;
    ASSERT_TRUE(second.Load(path));
    EXPECT_EQ(second.Sections().at("Russian"), first.Sections().at("Russian"));
    ASSERT_TRUE(second.Save(path));
    EXPECT_EQ(ReadAll(path), first.Serialise());
    std::remove(path.c_str());
}

TEST(ConfigWrite, SortedByUnsignedBytesWithHeadersAndTabs) {
    ConfigStore s;
    s.SetString("Default", "SoundType", "1");
    s.SetString("Default", "SPS", "44100");
    s.SetString("Default", "sps", "x");
    s.SetString("Russian", "\xc0", "cyr"); // 0xC0 sorts after every ASCII key
    s.SetString("Russian", "Z", "z");
    s.SetString("", "top", "t");
    s.SetString("Empty", "k", "v");
    Section none;
    ConfigStore empty = Parsed("[Lonely]\n[Other]\na=1\n");
    EXPECT_TRUE(empty.GetSection("Lonely", none)); // stored, but never written
    EXPECT_EQ(empty.Serialise(), "\r\n[Other]\r\n\ta\t=\t1\r\n");

    EXPECT_EQ(s.Serialise(), "\ttop\t=\tt\r\n"
                             "\r\n[Default]\r\n\tSPS\t=\t44100\r\n\tSoundType\t=\t1\r\n\tsps\t=\tx\r\n"
                             "\r\n[Empty]\r\n\tk\t=\tv\r\n"
                             "\r\n[Russian]\r\n\tZ\t=\tz\r\n\t\xc0\t=\tcyr\r\n");
}

TEST(ConfigWrite, SaveAndLoadRoundTripThroughTheFile) {
    const std::string path = TempFile("roundtrip.cfg");
    std::remove(path.c_str());
    ConfigStore a;
    EXPECT_FALSE(a.Load(path)); // missing file: false, store stays empty
    a.SetString("Default", "Language", "Russian");
    a.SetString("Default", "Width", "");
    a.SetString("", "loose", "1");
    ASSERT_TRUE(a.Save(path));
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes, "\tloose\t=\t1\r\n\r\n[Default]\r\n\tLanguage\t=\tRussian\r\n\tWidth\t=\t\r\n");

    ConfigStore b;
    ASSERT_TRUE(b.Load(path));
    EXPECT_EQ(b.Serialise(), bytes);
    EXPECT_EQ(Stored(b, "Default", "Width"), "");
    std::remove(path.c_str());
}

TEST(ConfigWrite, SaveIntoAMissingFolderFails) {
    ConfigStore s;
    s.SetString("Default", "Volume", "99");
    EXPECT_FALSE(s.Save("/nonexistent-dir/KLAVIRO.cfg"));
}

TEST(ConfigValues, IntAndRealConversions) {
    ConfigStore s = Parsed("a=42\nb=0x10\nc=\nd=12abc\ne=abc\nf= -7\ng=99999999999\nr=3.8\n");
    int n = -1;
    EXPECT_TRUE(s.GetInt("", "a", n));
    EXPECT_EQ(n, 42);
    EXPECT_TRUE(s.GetInt("", "b", n));
    EXPECT_EQ(n, 0);
    n = 5;
    EXPECT_FALSE(s.GetInt("", "c", n));
    EXPECT_EQ(n, 5); // unchanged on failure
    EXPECT_TRUE(s.GetInt("", "d", n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(s.GetInt("", "e", n));
    EXPECT_TRUE(s.GetInt("", "f", n));
    EXPECT_EQ(n, -7);
    EXPECT_TRUE(s.GetInt("", "g", n));
    EXPECT_EQ(n, 2147483647);
    EXPECT_FALSE(s.GetInt("", "missing", n));

    double x = 0;
    EXPECT_TRUE(s.GetReal("", "r", x));
    EXPECT_DOUBLE_EQ(x, 3.8);
    s.SetReal("", "one", 1);
    EXPECT_EQ(Stored(s, "", "one"), "1.000000");
    EXPECT_TRUE(s.GetReal("", "one", x));
    EXPECT_EQ(x, 1.0);
    s.SetInt("", "neg", -15);
    EXPECT_EQ(Stored(s, "", "neg"), "-15");
}

TEST(ConfigValues, GetStringOrStoresTheDefaultOnce) {
    ConfigStore s;
    std::string v;
    s.GetStringOr("Russian", "PS_01", "default", v);
    EXPECT_EQ(v, "default");
    EXPECT_EQ(Stored(s, "Russian", "PS_01"), "default");
    s.SetString("Russian", "PS_01", "changed");
    s.GetStringOr("Russian", "PS_01", "default", v);
    EXPECT_EQ(v, "changed");
    Section sec;
    EXPECT_FALSE(s.GetSection("nothing", sec));
    ASSERT_TRUE(s.GetSection("Russian", sec));
    EXPECT_EQ(sec.size(), 1u);
}

TEST(ConfigRobustness, HostileFilesKeepTheWellFormedEntries) {
    std::mt19937 rng(12345);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    ConfigStore random = Parsed(noise + "\n[Good]\nkey=value\n");
    EXPECT_EQ(Stored(random, "Good", "key"), "value");

    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
    ConfigStore sections = Parsed(many);
    EXPECT_EQ(sections.Sections().size(), 100001u); // plus the unnamed one
    EXPECT_EQ(Stored(sections, "S99999", "k"), "99999");

    std::string huge = "[A]\nbefore=1\n" + std::string(10 * 1000 * 1000, 'q') + "\nafter=2\n";
    ConfigStore longLine = Parsed(huge);
    EXPECT_EQ(Stored(longLine, "A", "before"), "1");
    EXPECT_EQ(Stored(longLine, "A", "after"), "2");
}
