// The Windows helpers of qsUtils against Wine: locale texts, real files and folders,
// version resources, started processes, windows and the error box.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "util/qsUtils.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return RemoveTrailingBackslash(ExtractFilePath(path));
}

std::string CurrentFolder() {
  char path[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Pattern(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  return bytes;
}

// A fresh folder with a blank in its name for each test, removed afterwards.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = GetTempFolder() + "bda util " + std::to_string(GetCurrentProcessId());
    std::filesystem::remove_all(dir_);
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string In(const std::string& name) const { return dir_ + "\\" + name; }
  std::string dir_;
};

TDateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
  TDateTime date = 0, time = 0;
  EXPECT_TRUE(TryEncodeDate(y, mo, d, date) && TryEncodeTime(h, mi, s, 0, time));
  return date + time;
}

}  // namespace

TEST(LocaleTexts, SizesAndDatesOfTheEnglishUnitedStatesLocale) {
  EXPECT_EQ(FormatFileSize(0), "None");
  EXPECT_EQ(FormatFileSize(1023999), "999 KB");
  EXPECT_EQ(FormatFileSize(1024000), "1.00 MB");
  EXPECT_EQ(FormatFileSize(2147483647), "2,097.15 MB");
  EXPECT_EQ(FormatFileDateTime(At(2001, 6, 7, 12, 41, 59)), "6/7/2001 12:41 PM");
  EXPECT_EQ(FormatFileDateTime(At(1999, 12, 31, 0, 5)), "12/31/1999 12:05 AM");
  EXPECT_EQ(FormatFileDateTime(0), "12/30/1899 12:00 AM");
}

TEST(Folders, TempFolderAndPlaceholdersFromTheSystem) {
  char temp[MAX_PATH], windows[MAX_PATH], system[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(GetTempFolder(), temp);
  EXPECT_EQ(GetTempFolder().back(), '\\');

  struct Case {
    std::string text, expected;
  } cases[] = {
      {"<TempDir>\\Dorar Adar.wav", std::string(temp) + "Dorar Adar.wav"},
      {"<ThisDir>\\MLS;<TempDir>", ProgramFolder() + "\\MLS;" + temp},
      {"<WindowsDir>\\<SystemDir>", std::string(windows) + "\\" + system},
      {"<CommonFilesDir>\\Quorvin Systems\\SendMail.exe",
       "C:\\Program Files\\Common Files\\Quorvin Systems\\SendMail.exe"},
      {"<ProgramFilesDir>\\<Brevilo>", "C:\\Program Files\\<Brevilo>"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandFolderPlaceholders(c.text), c.expected) << c.text;
}

TEST_F(FilesTest, SizeAndDateOfAFile) {
  const std::string file = In("msg.wav");
  WriteFile(file, Pattern(3000, 'a'));
  // 2001-06-07 12:41:30 local time as the file's last write.
  SYSTEMTIME local{2001, 6, 4, 7, 12, 41, 30, 0};
  FILETIME localTime, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime) &&
              LocalFileTimeToFileTime(&localTime, &utc));
  HANDLE h =
      CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &utc));
  CloseHandle(h);

  EXPECT_EQ(FileSizeOf(file), 3000);
  EXPECT_EQ(FileDateTimeOf(file), At(2001, 6, 7, 12, 41, 30));
  EXPECT_EQ(FileSizeOf(In("absent.wav")), 0);
  EXPECT_EQ(FileDateTimeOf(In("absent.wav")), 0);
}

TEST_F(FilesTest, FolderExists) {
  WriteFile(In("file"), "x");
  struct Case {
    std::string path;
    bool exists;
  } cases[] = {
      {"", false},         {"C", false},        {"C:", true},          {"Q:", true},
      {"C:\\", true},      {"Q:\\", true},      {"C:x", false},        {dir_, true},
      {dir_ + "\\", true}, {In("file"), false}, {In("absent"), false}, {"C:\\windows", true},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderExists(c.path), c.exists) << c.path;
}

TEST_F(FilesTest, ForceFoldersCreatesEveryMissingParent) {
  std::vector<std::string> created;
  EXPECT_TRUE(ForceFolders(In("a\\b c\\d\\"), &created));
  EXPECT_EQ(created, (std::vector<std::string>{In("a"), In("a\\b c"), In("a\\b c\\d")}));
  EXPECT_TRUE(FolderExists(In("a\\b c\\d")));

  created.clear();
  EXPECT_TRUE(ForceFolders(In("a\\b c"), &created));
  EXPECT_TRUE(ForceFolders(In("a\\e")));
  EXPECT_TRUE(created.empty());
  EXPECT_TRUE(FolderExists(In("a\\e")));

  // A folder that cannot be made: the ones before it stay, and stay listed.
  EXPECT_FALSE(ForceFolders(In("a\\h\\bad|name\\x"), &created));
  EXPECT_EQ(created, std::vector<std::string>{In("a\\h")});
  EXPECT_TRUE(FolderExists(In("a\\h")));
  WriteFile(In("a\\file"), "x");
  EXPECT_FALSE(ForceFolders(In("a\\file\\x")));

  EXPECT_FALSE(ForceFolders(""));
  EXPECT_FALSE(ForceFolders("\\\\server\\share\\x"));
  EXPECT_FALSE(ForceFolders("relative\\x"));
}

TEST_F(FilesTest, CopyFileDataMakesAnExactCopy) {
  const std::string source = In("source.wav");
  const std::string data = Pattern(5000, 's');  // two full blocks and a part
  WriteFile(source, data);
  struct Case {
    const char* name;
    std::string before;
  } cases[] = {{"new.wav", ""}, {"longer.wav", Pattern(9000, 'L')}, {"shorter.wav", "abc"}};
  for (const Case& c : cases) {
    if (!c.before.empty()) WriteFile(In(c.name), c.before);
    EXPECT_EQ(CopyFileData(source, In(c.name)), 5000) << c.name;
    EXPECT_EQ(ReadFile(In(c.name)), data) << c.name;
  }

  WriteFile(In("empty"), "");
  EXPECT_EQ(CopyFileData(In("empty"), In("longer.wav")), 0);
  EXPECT_EQ(ReadFile(In("longer.wav")), "");

  WriteFile(In("keep.wav"), "keep");
  EXPECT_EQ(CopyFileData(In("absent"), In("keep.wav")), 0);
  EXPECT_EQ(ReadFile(In("keep.wav")), "keep");
  EXPECT_EQ(CopyFileData(source, In("no folder\\x.wav")), 0);
  // Onto itself: refused, and the file keeps its data.
  EXPECT_EQ(CopyFileData(source, source), 0);
  EXPECT_EQ(ReadFile(source), data);
}

TEST(FileVersion, FromTheVersionResource) {
  DWORD ms = 1, ls = 1;
  std::string text;
  GetFileVersion(ProgramFolder() + "\\ProcessRecorder.exe", ms, ls, text);
  EXPECT_EQ(text, "2.10.300.4000");
  EXPECT_EQ(ms, 0x0002000Au);
  EXPECT_EQ(ls, 0x012C0FA0u);

  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(GetFileVersionText(self), "(Unknown)");  // this test has no version resource
  EXPECT_EQ(GetFileVersionText(ProgramFolder() + "\\absent.exe"), "(Unknown)");
}

namespace {

struct Started {
  std::string commandLine, folder;
  unsigned long flags = 0;
  unsigned showState = 0;
};

// Starts a program through `start` and waits for the record the recorder writes.
template <typename Start>
Started Record(const std::string& recordFile, Start start) {
  DeleteFileA(recordFile.c_str());
  SetEnvironmentVariableA("BDA_PROCESS_RECORD", recordFile.c_str());
  Started s;
  EXPECT_TRUE(start());
  for (int i = 0; i < 300 && GetFileAttributesA(recordFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(50);
  std::istringstream in(ReadFile(recordFile));
  std::getline(in, s.commandLine);
  std::getline(in, s.folder);
  in >> s.flags >> s.showState;
  EXPECT_FALSE(s.commandLine.empty()) << "no record from the started program";
  return s;
}

}  // namespace

TEST_F(FilesTest, StartProcessCommandLinesAndFolders) {
  const std::string recorder = ProgramFolder() + "\\ProcessRecorder.exe";
  ASSERT_EQ(recorder.find(' '), std::string::npos);
  const std::string blank = In("rec order.exe");
  ASSERT_TRUE(CopyFileA(recorder.c_str(), blank.c_str(), FALSE));
  const std::string record = In("record.txt");
  const std::string temp = RemoveTrailingBackslash(GetTempFolder());

  struct Case {
    std::string program, parameters, folder, commandLine, startedIn;
  } cases[] = {
      {blank, "\"C:\\a b\\f.dat\" -x", "", "\"" + blank + "\" \"C:\\a b\\f.dat\" -x", dir_},
      {recorder, "-a b", temp + "\\", recorder + " -a b", temp},
      {recorder, "", dir_ + "\\absent", recorder + " ", CurrentFolder()},
      {blank, "", "", "\"" + blank + "\" ", dir_},
      {"", recorder + " y", "", recorder + " y", ProgramFolder()},
  };
  for (const Case& c : cases) {
    Started s = Record(record, [&] { return RunProgram(c.program, c.parameters, c.folder); });
    EXPECT_EQ(s.commandLine, c.commandLine);
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, s.folder.c_str(), -1,
                             c.startedIn.c_str(), -1),
              CSTR_EQUAL)
        << s.folder << " for " << c.commandLine;
    EXPECT_EQ(s.flags, unsigned(STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK));
    EXPECT_EQ(s.showState, unsigned(SW_SHOWNORMAL));
  }

  Started hidden = Record(record, [&] { return StartProcess(recorder, "", "", SW_HIDE); });
  EXPECT_EQ(hidden.flags, unsigned(STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK));
  EXPECT_EQ(hidden.showState, unsigned(SW_HIDE));

  EXPECT_FALSE(RunProgram(In("absent.exe"), "", ""));
  EXPECT_FALSE(RunProgram("", "", ""));
}

namespace {

HWND Popup(int x, int y, int w, int h) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, w, h, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(CenterWindow, CentresOnTheOwnerOrScreenAndStaysOnScreen) {
  const int cx = GetSystemMetrics(SM_CXFULLSCREEN), cy = GetSystemMetrics(SM_CYFULLSCREEN);
  struct Case {
    bool owned;
    RECT owner;
    int width, height, left, top;
  } cases[] = {
      {true, {100, 100, 500, 400}, 200, 100, 200, 200},
      {true, {300, 300, 400, 400}, 201, 101, 250, 300},  // halves truncated toward zero
      {true, {900, 600, 1000, 700}, 300, 300, cx - 300, cy - 300},
      {true, {-400, -300, -100, -100}, 100, 100, 0, 0},
      {false, {}, 200, 100, (cx - 200) / 2, (cy - 100) / 2},
      {false, {}, cx + 300, cy + 200, 0, 0},
  };
  for (const Case& c : cases) {
    HWND owner = c.owned ? Popup(c.owner.left, c.owner.top, c.owner.right - c.owner.left,
                                 c.owner.bottom - c.owner.top)
                         : nullptr;
    HWND window = Popup(5, 5, c.width, c.height);
    ASSERT_NE(window, nullptr);
    CenterWindow(owner, window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, c.left) << c.width << "x" << c.height;
    EXPECT_EQ(r.top, c.top) << c.width << "x" << c.height;
    EXPECT_EQ(r.right - r.left, c.width);
    DestroyWindow(window);
    if (owner) DestroyWindow(owner);
  }
}

namespace {

struct BoxSeen {
  std::string text;
};

BOOL CALLBACK CollectStaticText(HWND child, LPARAM seen) {
  char cls[32], text[256];
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
    reinterpret_cast<BoxSeen*>(seen)->text += text;
  return TRUE;
}

}  // namespace

TEST(ShowErrorBox, ShowsTheExpandedTextUnderTheErrorCaption) {
  const std::string saved = ErrorCaption;
  ErrorCaption = "Fehler der Tests";
  struct Case {
    std::string message, shown;
  } cases[] = {{"First line\\nsecond line", "First line\r\nsecond line"}, {"", ""}};
  for (const Case& c : cases) {
    BoxSeen seen;
    std::atomic<bool> found{false};
    std::thread closer([&] {
      for (int i = 0; i < 200 && !found; ++i) {
        if (HWND box = FindWindowA("#32770", "Fehler der Tests")) {
          EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&seen));
          found = true;
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
      }
    });
    ShowErrorBox(nullptr, c.message);
    closer.join();
    ASSERT_TRUE(found) << "no error box appeared";
    EXPECT_EQ(seen.text, c.shown);
  }
  ErrorCaption = saved;
}
