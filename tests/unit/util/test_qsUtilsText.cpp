// The platform-free helpers: texts, paths, sizes, times, placeholders, command lines.
#include <gtest/gtest.h>

#include <map>

#include "util/qsUtils.h"

namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  TDateTime date = 0, time = 0;
  EXPECT_TRUE(TryEncodeDate(y, mo, d, date));
  EXPECT_TRUE(TryEncodeTime(h, mi, s, 0, time));
  return date + time;
}

}  // namespace

TEST(ReplaceText, ReplacesLeftToRightWithoutOverlapOrRescan) {
  struct Case {
    const char *text, *find, *replacement, *expected;
  } cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"abab", "ab", "xab", "xabxab"},
      {"Hello", "l", "", "Heo"},
      {"ABC", "b", "x", "ABC"},
      {"abc", "", "x", "abc"},
      {"", "a", "b", ""},
      {"a\\\\\\\\b", "\\\\", "\\", "a\\\\b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceText(c.text, c.find, c.replacement), c.expected) << c.text << " / " << c.find;
}

TEST(ExpandLineBreaks, TurnsBackslashNIntoCrLf) {
  struct Case {
    const char *text, *expected;
  } cases[] = {
      {"a\\nb", "a\r\nb"},    {"plain text", "plain text"}, {"\\\\n", "\\\r\n"},
      {"\\n\\n", "\r\n\r\n"}, {"a\\Nb\\", "a\\Nb\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandLineBreaks(c.text), c.expected) << c.text;
}

TEST(PathText, JoinRemoveAndExtract) {
  EXPECT_EQ(JoinPath("", "x"), "x");
  EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
  EXPECT_EQ(JoinPath("C:\\a", "x"), "C:\\a\\x");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\a\\\\"), "C:\\a\\");
  EXPECT_EQ(RemoveTrailingBackslash("\\"), "");
  EXPECT_EQ(RemoveTrailingBackslash(""), "");
  EXPECT_EQ(ExtractFilePath("C:\\a b\\x.exe"), "C:\\a b\\");
  EXPECT_EQ(ExtractFilePath("C:x.exe"), "C:");
  EXPECT_EQ(ExtractFilePath("x.exe"), "");
}

TEST(FormatFileSize, ThresholdsAndSeparators) {
  struct Case {
    int32_t size;
    const char *us, *german;
  } cases[] = {
      {0, "None", "None"},
      {-5, "-5 bytes", "-5 bytes"},
      {1023, "1023 bytes", "1023 bytes"},
      {1024, "1 KB", "1 KB"},
      {1023999, "999 KB", "999 KB"},
      {1024000, "1.00 MB", "1,00 MB"},
      {1029119, "1.00 MB", "1,00 MB"},
      {1029120, "1.01 MB", "1,01 MB"},  // exactly 1.005: half rounds up
      {1048576, "1.02 MB", "1,02 MB"},
      {1024000000, "1,000.00 MB", "1.000,00 MB"},
      {2147483647, "2,097.15 MB", "2.097,15 MB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFileSize(c.size, ",", "."), c.us) << c.size;
    EXPECT_EQ(FormatFileSize(c.size, ".", ","), c.german) << c.size;
  }
  EXPECT_EQ(FormatFileSize(123456789, "", "."), "120.56 MB");
}

TEST(FormatTimeAmPm, TwelveHourClock) {
  struct Case {
    int hour, minute;
    const char* expected;
  } cases[] = {
      {0, 0, " 12:00 AM"},   {0, 5, " 12:05 AM"}, {11, 59, " 11:59 AM"}, {12, 0, " 12:00 PM"},
      {12, 41, " 12:41 PM"}, {13, 5, " 1:05 PM"}, {23, 59, " 11:59 PM"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatTimeAmPm(At(2001, 6, 7, c.hour, c.minute), "AM", "PM"), c.expected);
  EXPECT_EQ(FormatTimeAmPm(At(2001, 6, 7, 9, 30, 59), "", ""), " 9:30 ");
}

TEST(DateTime, DaysSinceTheLastDayOf1899) {
  struct Case {
    int y, m, d;
    double value;
  } cases[] = {
      {1899, 12, 30, 0},  {1900, 1, 1, 2},    {2001, 6, 7, 37049},     {2000, 2, 29, 36585},
      {1899, 12, 29, -1}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    TDateTime v = 123;
    ASSERT_TRUE(TryEncodeDate(c.y, c.m, c.d, v)) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(v, c.value);
    TDateParts p = DecodeDate(v);
    EXPECT_EQ(p.Year * 10000 + p.Month * 100 + p.Day, c.y * 10000 + c.m * 100 + c.d);
  }
  TDateTime v;
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(2001, 13, 1, v));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));

  // Before 1899-12-30 the fraction still counts forward from midnight.
  TDateParts d = DecodeDate(-1.25);
  TTimeParts t = DecodeTime(-1.25);
  EXPECT_EQ(d.Year * 10000 + d.Month * 100 + d.Day, 18991229);
  EXPECT_EQ(t.Hour, 6);
  // A fraction a hair below the next midnight stays in its day.
  EXPECT_EQ(DecodeTime(37049.9999999999).Hour, 23);
}

TEST(DateTime, PackedFileDates) {
  const int32_t packed = ((2001 - 1980) << 9 | 6 << 5 | 7) << 16 | (12 << 11 | 41 << 5 | 15);
  EXPECT_EQ(FileDateToDateTime(packed), At(2001, 6, 7, 12, 41, 30));
  EXPECT_EQ(FileDateToDateTime(static_cast<int32_t>(0xFF9FBF7Du)), At(2107, 12, 31, 23, 59, 58));
  EXPECT_EQ(FileDateToDateTime(0), 0);                        // month 0
  EXPECT_EQ(FileDateToDateTime((1 << 5 | 1) << 16 | 30), 0);  // 60 seconds
}

namespace {

// Placeholder values for the tests, with a record of how often each was asked for.
struct Values {
  std::map<TFolderPlaceholder, std::string> value{
      {TFolderPlaceholder::ProgramFiles, "C:\\Program Files"},
      {TFolderPlaceholder::CommonFiles, "C:\\Program Files\\Common Files"},
      {TFolderPlaceholder::Windows, "C:\\windows"},
      {TFolderPlaceholder::System, "C:\\windows\\system32"},
      {TFolderPlaceholder::Temp, "C:\\users\\me\\Temp\\"},
      {TFolderPlaceholder::This, "Z:\\app"},
  };
  std::map<TFolderPlaceholder, int> asked;
  std::string Expand(const std::string& text) {
    return ExpandPlaceholders(text, [this](TFolderPlaceholder p) {
      ++asked[p];
      return value[p];
    });
  }
};

}  // namespace

TEST(ExpandPlaceholders, KnownPlaceholdersAndOddCorners) {
  struct Case {
    const char *text, *expected;
  } cases[] = {
      {"", ""},
      {"C:\\no\\placeholder", "C:\\no\\placeholder"},
      {"<Unknown>\\x", "<Unknown>\\x"},
      {"<tempdir>\\x", "<tempdir>\\x"},
      {"<TempDir>\\msg.wav", "C:\\users\\me\\Temp\\msg.wav"},
      {"<CommonFilesDir>\\Quorvin Systems\\SendMail.exe",
       "C:\\Program Files\\Common Files\\Quorvin Systems\\SendMail.exe"},
      {"<ThisDir>\\a;<TempDir>b", "Z:\\app\\a;C:\\users\\me\\Temp\\b"},
      {"<TempDir>x<TempDir>y", "C:\\users\\me\\Temp\\xC:\\users\\me\\Temp\\y"},
      {"<SystemDir>|<WindowsDir>|<ProgramFilesDir>",
       "C:\\windows\\system32|C:\\windows|C:\\Program Files"},
      {"<Unknown><ThisDir>", "<Unknown>Z:\\app"},
      // Every double backslash of the text is halved, once per pass.
      {"\\\\\\\\srv\\<WindowsDir>", "\\\\srv\\C:\\windows"},
      {"\\\\\\\\<TempDir><WindowsDir>", "\\C:\\users\\me\\Temp\\C:\\windows"},
  };
  for (const Case& c : cases) EXPECT_EQ(Values().Expand(c.text), c.expected) << c.text;
}

TEST(ExpandPlaceholders, AbsentValueGivesEmptyTextAndValuesAreAskedOnce) {
  Values v;
  v.value[TFolderPlaceholder::ProgramFiles] = "";
  EXPECT_EQ(v.Expand("<ProgramFilesDir>\\x <TempDir> <ProgramFilesDir> <TempDir>"),
            "\\x C:\\users\\me\\Temp\\  C:\\users\\me\\Temp\\");
  EXPECT_EQ(v.asked[TFolderPlaceholder::ProgramFiles], 1);
  EXPECT_EQ(v.asked[TFolderPlaceholder::Temp], 1);
  EXPECT_EQ(v.asked.count(TFolderPlaceholder::Windows), 0u);
}

TEST(ExpandPlaceholders, ValuesHoldingPlaceholdersExpandAsLongAsTheyEnd) {
  Values v;
  // Three passes for two kinds: the second pass brings <ProgramFilesDir> back once.
  v.value[TFolderPlaceholder::ProgramFiles] = "y";
  v.value[TFolderPlaceholder::CommonFiles] = "<ProgramFilesDir>";
  EXPECT_EQ(v.Expand("<ProgramFilesDir><CommonFilesDir>"), "yy");
  v.value[TFolderPlaceholder::CommonFiles] = "<WindowsDir>\\Common";
  EXPECT_EQ(v.Expand("<CommonFilesDir>\\x"), "C:\\windows\\Common\\x");
  // A placeholder that forms once the inner one is gone.
  v.value[TFolderPlaceholder::ProgramFiles] = "";
  EXPECT_EQ(v.Expand("<Program<ProgramFilesDir>FilesDir>!"), "!");
}

TEST(ExpandPlaceholders, EndsWhenValuesBringTheirPlaceholderBack) {
  struct Case {
    TFolderPlaceholder kind;
    const char* value;
    TFolderPlaceholder other;
    const char* otherValue;
    const char *text, *expected;
  } cases[] = {
      {TFolderPlaceholder::Temp, "C:\\<TempDir>\\", TFolderPlaceholder::This, "Z:\\app",
       "<TempDir>x", "C:\\<TempDir>\\x"},
      {TFolderPlaceholder::Temp, "<TempDir>x", TFolderPlaceholder::This, "Z:\\app", "<TempDir>",
       "<TempDir>x"},
      {TFolderPlaceholder::ProgramFiles, "<CommonFilesDir>", TFolderPlaceholder::CommonFiles,
       "<ProgramFilesDir>\\C", "<ProgramFilesDir>", "<CommonFilesDir>"},
      {TFolderPlaceholder::CommonFiles, "<ProgramFilesDir>", TFolderPlaceholder::ProgramFiles,
       "<CommonFilesDir>", "<CommonFilesDir>", "<ProgramFilesDir>"},
  };
  for (const Case& c : cases) {
    Values v;
    v.value[c.kind] = c.value;
    v.value[c.other] = c.otherValue;
    EXPECT_EQ(v.Expand(c.text), c.expected) << c.text << " with " << c.value;
  }
  // Values that rebuild a placeholder from pieces of each other go round for ever
  // without holding a whole placeholder; the passes are bounded.
  Values v;
  v.value[TFolderPlaceholder::ProgramFiles] = "<Temp";
  v.value[TFolderPlaceholder::Temp] = "<ProgramFilesDir>Dir>";
  const std::string result = v.Expand("<TempDir>");
  EXPECT_TRUE(result == "<TempDir>" || result == "<ProgramFilesDir>Dir>") << result;
}

TEST(MakeCommandLine, QuotesProgramsWithBlanks) {
  struct Case {
    const char *program, *parameters, *expected;
  } cases[] = {
      {"C:\\Program Files\\x.exe", "\"C:\\a b\\f.dat\"",
       "\"C:\\Program Files\\x.exe\" \"C:\\a b\\f.dat\""},
      {"C:\\x.exe", "-a \"b\"", "C:\\x.exe -a \"b\""},
      {"C:\\x.exe", "", "C:\\x.exe "},
      {"C:\\a b\\x.exe", "", "\"C:\\a b\\x.exe\" "},
      {"", "x.exe a", "x.exe a"},
      {"", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeCommandLine(c.program, c.parameters), c.expected) << c.program;
}

TEST(SplitFolderPath, DriveRootThenNames) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitFolderPath("C:\\a\\b c\\d"), (V{"C:\\", "a", "b c", "d"}));
  EXPECT_EQ(SplitFolderPath("c:\\a\\\\b\\"), (V{"c:\\", "a", "b"}));
  EXPECT_EQ(SplitFolderPath("C:\\"), (V{"C:\\"}));
  EXPECT_EQ(SplitFolderPath("\\\\server\\share\\x"), V{});
  EXPECT_EQ(SplitFolderPath("C:a\\b"), V{});
  EXPECT_EQ(SplitFolderPath("relative\\x"), V{});
  EXPECT_EQ(SplitFolderPath("C:"), V{});
}
