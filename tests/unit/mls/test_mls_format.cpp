// The MLS reader against modules built byte by byte: what it accepts, and which format
// error each damage ends in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mls/MLSFormat.h"

namespace {

std::string Error(const std::string& code) {
  return "Invalid MLS Module format.\r\n(Error Code " + code + ")";
}

// Reads `data` for the language and count; returns "" on success, else the message.
std::string Read(const std::string& data, uint16_t language, std::vector<std::string>& strings) {
  TMLSMemoryStream stream(data.data(), data.size());
  try {
    TMLSFile().ReadStrings(language, stream, strings);
  } catch (const EMLSException& e) {
    return e.what();
  }
  return "";
}

const std::vector<std::string> Texts = {
    "16 Bit Mono", "", "Drag & Attach", "%s KHz", "a\\nb", "Sound Files (*.wav)|*.wav", ""};
// A description with CR LF and bytes above 127, as the compiler writes them.
const std::string Description = "SoundRec English MLS module.\r\nmlsc \xE9\xFF\r\n";

}  // namespace

TEST(MLSFile, ReadsEveryStringAsStored) {
  std::string data = WriteMLSModule(4, Description, Texts);
  std::vector<std::string> strings(Texts.size(), "old");
  EXPECT_EQ(Read(data, 4, strings), "");
  EXPECT_EQ(strings, Texts);
  // The same with bytes after the trailer and without a description.
  strings.assign(Texts.size(), "old");
  EXPECT_EQ(Read(WriteMLSModule(4, "", Texts) + "MLS\x01garbage", 4, strings), "");
  EXPECT_EQ(strings, Texts);
}

TEST(MLSFile, ModuleOfOnlyEmptyStringsIsValid) {
  std::vector<std::string> empty(5);
  std::vector<std::string> strings(5, "old");
  EXPECT_EQ(Read(WriteMLSModule(4, "", empty), 4, strings), "");
  EXPECT_EQ(strings, empty);
}

TEST(MLSFile, EachDamageEndsInItsCode) {
  const std::string good = WriteMLSModule(4, Description, Texts);
  const size_t count = 8 + Description.size();
  const size_t data = count + 4 + 2 * Texts.size();
  struct Case {
    const char* what;
    std::string bytes;
    uint16_t language;
    size_t expected;
    const char* code;
  } cases[] = {
      {"magic in lower case", "mls" + good.substr(3), 4, Texts.size(), "MLS250"},
      {"version 2", good.substr(0, 3) + '\2' + good.substr(4), 4, Texts.size(), "MLS251"},
      {"language 3 read for 4", WriteMLSModule(3, Description, Texts), 4, Texts.size(), "MLS252"},
      {"one string fewer than expected", good, 4, Texts.size() + 1, "MLS253"},
      {"count field says 6", good.substr(0, count) + '\6' + good.substr(count + 1), 4, Texts.size(),
       "MLS253"},
      {"cut before the trailer", good.substr(0, good.size() - 3), 4, Texts.size(), "MLS255"},
      {"other trailer", good.substr(0, good.size() - 3) + "MLs", 4, Texts.size(), "MLS255"},
      {"a length beyond the data", good.substr(0, data - 4) + "\xFF\xFF" + good.substr(data - 2), 4,
       Texts.size(), "MLS254"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> strings(c.expected, "old");
    EXPECT_EQ(Read(c.bytes, c.language, strings), Error(c.code)) << c.what;
    // Every check before the strings leaves them as they were.
    if (std::string(c.code) < "MLS254") {
      EXPECT_EQ(strings, std::vector<std::string>(c.expected, "old"))
          << c.what << " touched strings";
    }
  }
}

// A module that ends anywhere fails with the code of the field it ends in, and no byte
// that was never there is taken for a length or a text.
TEST(MLSFile, ModuleCutAtEveryPositionFailsWithTheFieldsCode) {
  const std::string good = WriteMLSModule(4, Description, Texts);
  const size_t count = 8 + Description.size();
  const size_t table = count + 4;
  const size_t data = table + 2 * Texts.size();
  const size_t trailer = good.size() - 3;
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const char* code = cut < 3         ? "MLS250"
                       : cut < 4       ? "MLS251"
                       : cut < 6       ? "MLS252"
                       : cut < table   ? "MLS253"  // description length, description, count
                       : cut < trailer ? "MLS254"  // length table, string data
                                       : "MLS255";
    std::vector<std::string> strings(Texts.size(), "old");
    EXPECT_EQ(Read(good.substr(0, cut), 4, strings), Error(code)) << "cut at " << cut;
    if (cut < data) {
      EXPECT_EQ(strings, std::vector<std::string>(Texts.size(), "old")) << "cut at " << cut;
    }
  }
}

TEST(MLSFile, StringCutShortKeepsOnlyTheBytesThatArrived) {
  const std::string good = WriteMLSModule(4, "", Texts);
  // Cut two bytes into "Drag & Attach", the third string.
  size_t third = 8 + 4 + 2 * Texts.size() + Texts[0].size() + Texts[1].size();
  std::vector<std::string> strings(Texts.size(), "old");
  EXPECT_EQ(Read(good.substr(0, third + 2), 4, strings), Error("MLS254"));
  EXPECT_EQ(strings[0], Texts[0]);
  EXPECT_EQ(strings[1], "");
  EXPECT_EQ(strings[2], "Dr");
  EXPECT_EQ(strings[3], "old");
}

TEST(MLSFile, HugeDescriptionLengthAtTheEndOfDataIsACountError) {
  // 0xFFFF bytes of description announced, none there: the skip passes the end.
  std::string bytes = std::string("MLS\1\4\0", 6) + "\xFF\xFF" + "abc";
  std::vector<std::string> strings(1);
  EXPECT_EQ(Read(bytes, 4, strings), Error("MLS253"));
}

TEST(MLSError, WithoutCodeTheMessageIsTheTextExpanded) {
  try {
    MLSError("Failed\\nhere");
    FAIL();
  } catch (const EMLSException& e) {
    EXPECT_STREQ(e.what(), "Failed\r\nhere");
  }
}

TEST(ReadMLSModule, GivesLanguageDescriptionAndStrings) {
  std::string data = WriteMLSModule(3, Description, Texts);
  TMLSMemoryStream stream(data.data(), data.size());
  TMLSModuleContents contents = ReadMLSModule(stream);
  EXPECT_EQ(contents.Language, 3);
  EXPECT_EQ(contents.Description, Description);
  EXPECT_EQ(contents.Strings, Texts);
  // A count far beyond the data is not trusted for an allocation.
  std::string liar = std::string("MLS\1\3\0\0\0", 8) + "\xFF\xFF\xFF\x7F" + "\1\0";
  TMLSMemoryStream short_(liar.data(), liar.size());
  EXPECT_THROW(ReadMLSModule(short_), EMLSException);
}

TEST(WriteMLSModule, RefusesAStringLongerThanItsLengthField) {
  EXPECT_NO_THROW(WriteMLSModule(4, "", {std::string(65535, 'x')}));
  EXPECT_THROW(WriteMLSModule(4, "", {std::string(65536, 'x')}), EMLSException);
}
