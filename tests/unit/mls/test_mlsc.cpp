// The module compiler's source text: what it accepts, what it refuses, and that printing
// and compiling are each other's inverse, for the English sources too.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "MLSSource.h"
#include "mls/MLSFormat.h"

namespace {

const char Header[] = "module Test\nlanguage deu\ncount 3\n";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The English source of a module, as the build compiles it.
TMLSSource EnglishSource(const std::string& name) {
  return ParseMLSSource(
      ReadText(std::string(BDA_SOURCE_DIR "/resources/mls/") + name + "_enu.txt"));
}

}  // namespace

TEST(MLSSource, TextIsEveryByteAfterTheEqualsSign) {
  TMLSSource s = ParseMLSSource(std::string("# comment\n") + Header +
                                "\n2= two  \r\n0=a\\nb=c|&%s\n1=^5E^^^0D^0A^00^ff end\n");
  EXPECT_EQ(s.Name, "Test");
  EXPECT_EQ(s.Language, 3);
  ASSERT_EQ(s.Strings.size(), 3u);
  EXPECT_EQ(s.Strings[0], "a\\nb=c|&%s");  // backslash n stays two characters
  EXPECT_EQ(s.Strings[1], std::string("^^\r\n\0\xFF end", 10));
  EXPECT_EQ(s.Strings[2], " two  ");  // blanks are kept, the line's CR is not
}

TEST(MLSSource, RefusesFaultsWithTheirLine) {
  struct Case {
    std::string text;
    int line;
  } cases[] = {
      {std::string(Header) + "0=a\n1=b\n", 5},            // entry 2 missing
      {std::string(Header) + "0=a\n0=b\n1=c\n2=d\n", 5},  // entry 0 twice
      {std::string(Header) + "3=a\n", 4},                 // beyond the count
      {std::string(Header) + "0=^4\n", 4},                // incomplete escape
      {std::string(Header) + "0=^zz\n", 4},               // not hexadecimal
      {std::string(Header) + "x=a\n", 4},                 // no entry number
      {std::string(Header) + "0=a\ncount 4\n", 5},        // header after the entries
      {"module Test\ncount 1\n0=a\n", 3},                 // no language before entries
      {"module Test\nlanguage xyz\ncount 1\n0=a\n", 2},   // unknown language
      {"module Test\nmodule Other\n", 2},                 // given twice
      {"module Test\nlanguage enu\ncount 70000\n", 3},    // count above 65535
      {"modul Test\n", 1},                                // unknown word
  };
  for (const Case& c : cases) {
    try {
      ParseMLSSource(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EMLSSourceError& e) {
      EXPECT_EQ(e.Line, c.line) << c.text << e.what();
    }
  }
}

TEST(MLSSource, PrintingAndParsingKeepEveryByte) {
  TMLSSource s;
  s.Name = "Bytes";
  s.Language = 13;
  for (int b = 0; b < 256; ++b) s.Strings.push_back(std::string(1, static_cast<char>(b)) + "^\\n");
  s.Strings.push_back("");
  TMLSSource back = ParseMLSSource(PrintMLSSource(s));
  EXPECT_EQ(back.Name, s.Name);
  EXPECT_EQ(back.Language, s.Language);
  EXPECT_EQ(back.Strings, s.Strings);
}

TEST(MLSSource, EnglishSourcesHaveTheirCountsAndRoundTrip) {
  struct {
    const char* name;
    size_t count;
  } modules[] = {{"VoiceMail", 48}, {"SoundRec", 26}, {"bvShared", 20}, {"qsShared", 232}};
  for (const auto& m : modules) {
    TMLSSource s = EnglishSource(m.name);
    EXPECT_EQ(s.Name, m.name);
    EXPECT_EQ(s.Language, 4);
    EXPECT_EQ(s.Strings.size(), m.count) << m.name;
    // Compiled and printed back, the module gives the same text.
    std::string module = WriteMLSModule(s.Language, MLSDescription(s, 0), s.Strings);
    TMLSMemoryStream stream(module.data(), module.size());
    TMLSModuleContents contents = ReadMLSModule(stream);
    TMLSSource printed{ModuleNameFromDescription(contents.Description), contents.Language,
                       contents.Strings};
    EXPECT_EQ(PrintMLSSource(printed), PrintMLSSource(s)) << m.name;
  }
}

TEST(MLSDescription, TwoLinesNamingModuleLanguageToolAndTime) {
  TMLSSource s = EnglishSource("SoundRec");
  std::string d = MLSDescription(s, 1781150400);  // 2026-06-11 04:00:00 UTC
  EXPECT_EQ(d,
            "SoundRec English (United States) MLS module.\r\n"
            "MLS Module Compiler mlsc, version 1.0, compiled 2026-06-11 at 04:00:00\r\n");
  // With this description the SoundRec module has the size of the format's worked example.
  EXPECT_EQ(WriteMLSModule(4, d, s.Strings).size(), 467u);
}
