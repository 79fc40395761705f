// The language manager and the four string modules under Wine: the locale table, the
// built-in modules in the program's resources, module files in the real folders, the
// report, the clients and the stored language.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MLSTestFiles.h"
#include "mls/SoundRecMLS.h"
#include "mls/VoiceMailMLS.h"
#include "mls/bvSharedMLS.h"
#include "mls/qsMLS.h"
#include "mls/qsSharedMLS.h"
#include "util/qsUtils.h"

namespace {

const TLanguageSet English = LanguageBit(4);
const TLanguageSet German = LanguageBit(3);

class MLS : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveModuleFiles();
    StartLanguageUnits();
  }
  void TearDown() override {
    EndLanguageUnits();
    RemoveModuleFiles();
  }
  // German modules for every module but `except`, tagged "deu".
  void PutGerman(const std::string& folder, const std::string& except = "") {
    for (const TModuleInfo& m : TestModules)
      if (m.Name != except)
        PutModule(folder, std::string(m.Name) + "_deu.mls", m.Name, "deu", m.Count, "deu");
  }
};

// Counts the notifications it gets and remembers the caption that was current then.
struct TCountingClient {
  int Calls = 0;
  std::string CaptionSeen;
  void Changed(TMLSManager*) {
    ++Calls;
    CaptionSeen = InformationCaption;
  }
  void AlsoChanged(TMLSManager*) { ++Calls; }
};

std::string ReportValue(const std::string& section, const std::string& module) {
  char value[256];
  GetPrivateProfileStringA(("test_mls_manager.exe - " + section).c_str(),
                           ("MLS Module " + module).c_str(), "(absent)", value, sizeof value,
                           (TestProgramFolder() + "MLSReport.txt").c_str());
  return value;
}

}  // namespace

TEST(LanguageTable, EachCodeResolvesToItsLocale) {
  qsMLSStartUp();
  const LCID expected[MLSLanguageCount] = {0,      0x0403, 0x0406, 0x0407, 0x0409, 0x040A, 0x040B,
                                           0x040C, 0x040F, 0x0410, 0x0413, 0x0414, 0x0816, 0x0419,
                                           0x041D, 0x0421, 0x0422, 0x0423, 0x042D, 0x0436};
  for (int i = 0; i < MLSLanguageCount; ++i) {
    EXPECT_EQ(LanguageLCIDs[i], expected[i]) << LanguageCodes[i];
    EXPECT_EQ(LanguageNames[i] == "(Unknown)", i == 0) << LanguageCodes[i] << LanguageNames[i];
  }
  struct {
    LCID locale;
    uint8_t language;
  } cases[] = {{0x0409, 4}, {0x0407, 3}, {0x0816, 12}, {0x0809, 0}, {0x0416, 0}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(LanguageFromLCID(c.locale), c.language) << c.locale;
  EXPECT_EQ(UserDefaultLanguage(), 4);  // the test session's locale is English (United States)
  qsMLSShutDown();
}

namespace {

// Each of the four modules is a resource of `program` that holds a whole English module
// with its own count, the trailer ending exactly at the resource's end.
void ExpectBuiltInModules(HMODULE program) {
  for (const TModuleInfo& m : TestModules) {
    std::string name = m.Name;
    for (char& c : name) c = static_cast<char>(toupper(c));
    HRSRC resource = FindResourceA(program, ("MLS_" + name).c_str(), MAKEINTRESOURCEA(10));
    ASSERT_NE(resource, nullptr) << name;
    const char* data = static_cast<const char*>(LockResource(LoadResource(program, resource)));
    std::string bytes(data, SizeofResource(program, resource));
    TMLSMemoryStream stream(bytes.data(), bytes.size());
    TMLSModuleContents contents = ReadMLSModule(stream);
    EXPECT_EQ(contents.Language, 4) << name;
    EXPECT_EQ(contents.Strings.size(), static_cast<size_t>(m.Count)) << name;
    EXPECT_EQ(contents.Description.substr(0, contents.Description.find("\r\n")),
              std::string(m.Name) + " English (United States) MLS module.");
    EXPECT_EQ(WriteMLSModule(4, contents.Description, contents.Strings), bytes) << name;
  }
}

}  // namespace

TEST(BuiltInModules, EachResourceIsAWholeEnglishModule) {
  ExpectBuiltInModules(nullptr);
}

#ifdef BDA_VOICEMAIL_EXE
TEST(BuiltInModules, TheProgramCarriesThemToo) {
  HMODULE program = LoadLibraryExA(BDA_VOICEMAIL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr) << BDA_VOICEMAIL_EXE;
  ExpectBuiltInModules(program);
  FreeLibrary(program);
}
#endif

TEST_F(MLS, EnglishTextsAreThoseTheWindowsShow) {
  MLSManager->SetLanguage(0);
  const std::string* vm = VoiceMailStrings->Strings;
  const std::string* sr = SoundRecStrings->Strings;
  const std::string* bv = bvSharedStrings->Strings;
  const std::string* qs = qsSharedStrings->Strings;
  struct {
    const std::string* module;
    int index;
    const char* text;
  } cases[] = {
      {vm, 0, "%d Bit"},
      {vm, 1, "Click the Record button to record your voice message."},
      {vm, 2,
       "Message duration %d Sec.\\nSize %s. File size %s (Compression ratio %d%%)\\n"
       "Format: %s, %s, %s, %s"},
      {vm, 3, "Drag the icon and drop it to your e-mail message."},
      {vm, 4, "Drag & Attach"},
      {vm, 5, "%s KHz"},
      {vm, 6, "GSM 6.10 Wave"},
      {vm, 7, "GSM Compression"},
      {vm, 8, "Microphone"},
      {vm, 9, "Dorar Adar.wav"},
      {vm, 10, "Compress Voice Message"},
      {vm, 11, "Compressing message. Please wait..."},
      {vm, 12,
       "\\nThis e-mail contains a voice message. Double click the icon of\\n"
       "the attached file to play it.\\n\\n"
       "To create your own voice messages, download your FREE\\n"
       "Brevilo VoiceMail from https://www.brevilo.example"},
      {vm, 13, "Volume"},
      {vm, 14, "Uncompressed Wave"},
      {vm, 15, "Attach"},
      {vm, 16, "Send"},
      {vm, 17, "Details..."},
      {vm, 18, "Adjust Microphone Level"},
      {vm, 19, "Adjust Volume"},
      {vm, 20, "Attach to E-Mail..."},
      {vm, 21, "Play Message"},
      {vm, 22, "Record Message"},
      {vm, 23, "Send Message"},
      {vm, 24, "Click here to adjust microphone level"},
      {vm, 25, "Click here to adjust volume"},
      {vm, 26, "Save Voice Message As"},
      {vm, 27, "Last message recorded on %s"},
      {vm, 28, "Click this button to exit without saving changes."},
      {vm, 29, "Easy Launch..."},
      {vm, 30, "Click this button to configure the way you want Dorar Adar to be launched."},
      {vm, 31,
       "Place your mouse pointer over an option you want to explore. To cancel Help mode, "
       "press Esc or click this button again."},
      {vm, 32, "Click this button to save changes and exit."},
      {vm, 33, "Close VoiceMail on send message"},
      {vm, 34,
       "When selected, Dorar Adar will automatically close when your recording has been "
       "attached to an e-mail message."},
      {vm, 35, "Play beep before recording"},
      {vm, 36,
       "When selected, Dorar Adar will play a beep tone to indicate that the recording has "
       "started."},
      {vm, 37, "Enable GSM compression"},
      {vm, 38,
       "When selected, Dorar Adar will compress your recording, so it becomes up to 10 "
       "times smaller in size and will be sent over the Internet much faster."},
      {vm, 39, "Compress message after recording"},
      {vm, 40,
       "When selected, the message will be compressed immediately after you stop "
       "recording, so you can revise the sound quality when you play back the message."},
      {vm, 41, "Compress message when sending"},
      {vm, 42, "When selected, the message will be compressed when you decide to send it."},
      {vm, 43, "Play beep before recording"},
      {vm, 44, "Dorar Adar Options"},
      {vm, 45, "Here you can customize the Brevilo Dorar Adar behaviour."},
      {vm, 46, "General"},
      {vm, 47, "Brevilo Dorar Adar"},
      {sr, 0, "16 Bit Mono"},
      {sr, 1, "16 Bit Stereo"},
      {sr, 2, "8 Bit Mono"},
      {sr, 3, "8 Bit Stereo"},
      {sr, 4, "Mono"},
      {sr, 5, "Pause"},
      {sr, 6, "Paused"},
      {sr, 7, "Play"},
      {sr, 8, "Play"},
      {sr, 9, "Playing..."},
      {sr, 10, "Output signal level"},
      {sr, 11, "%d sec."},
      {sr, 12, "Record"},
      {sr, 13, "Record"},
      {sr, 14, "Recording..."},
      {sr, 15, "Input signal level"},
      {sr, 16, "Sound Format"},
      {sr, 17, "Sound Quality"},
      {sr, 18, "Phone Quality"},
      {sr, 19, "Radio Quality"},
      {sr, 20, "Tape Quality"},
      {sr, 21, "CD Quality"},
      {sr, 22, "Stereo"},
      {sr, 23, "Stop"},
      {sr, 24, "Stopped"},
      {sr, 25, "Sound Files (*.wav)|*.wav|All Files (*.*)|*.*"},
      {bv, 1, "Information"},
      {bv, 2, "No information available to display in HTML banner."},
      {bv, 3, "No tips available for this product."},
      {bv, 4, "Please support the product's sponsor..."},
      {bv, 5, "Back"},
      {bv, 6, "Next"},
      {bv, 7, "Prev."},
      {bv, 8, "Did you know ..."},
      {bv, 9, ""},
      {bv, 12, "Automatically Check For Updates"},
      {bv, 13, "Automatically check for product updates."},
      {bv, 14, "Product Updates..."},
      {bv, 15, "Starts your default Web Browser to check for product updates."},
      {bv, 16, "Useful Tips"},
      {bv, 17, "Displays tips on using the program."},
      {bv, 18, "HTML Banner"},
      {bv, 19, "Displays information in HTML format."},
      {qs, 1, "About"},
      {qs, 4, "Build %s"},
      {qs, 5, "Cancel"},
      {qs, 8, "Confirmation"},
      {qs, 12, ""},
      {qs, 21, "Error"},
      {qs, 23, "Exit"},
      {qs, 29, "General"},
      {qs, 32, "Information"},
      {qs, 37, "License     Terms"},
      {qs, 45, "(None)"},
      {qs, 49, "OK"},
      {qs, 51, "Options"},
      {qs, 57, "Privacy Statement"},
      {qs, 58, "Product Support"},
      {qs, 79, "&Close"},
      {qs, 80, "&Help"},
      {qs, 85, "&View"},
      {qs, 86, "Cancel"},
      {qs, 87, "OK"},
      {qs, 88, "On &desktop"},
      {qs, 89, "In Start &Menu"},
      {qs, 90, "On &taskbar"},
      {qs, 91, "Easy Launch Settings"},
      {qs, 92, "&Show Icon"},
      {qs, 93, "Note:"},
      {qs, 94, "You may need to restart your machine for the new settings to take effect."},
      {qs, 95, "Preview"},
      {qs, 96,
       "You can launch the program either by clicking its icon or by pressing a shortcut "
       "key combination."},
      {qs, 97, "Shortcut &Key:"},
      {qs, 98, "Easy Launch..."},
      {qs, 99, "Click this to configure the way you launch the program."},
      {qs, 100, "Easy Launch"},
      {qs, 101, "This Program"},
      {qs, 102, "About..."},
      {qs, 103, "Displays some important program information."},
      {qs, 104, "Close"},
      {qs, 108, "File"},
      {qs, 110, "Help"},
      {qs, 112, "Help Topics"},
      {qs, 113, "Opens Help."},
      {qs, 114, "Language"},
      {qs, 116, "Options..."},
      {qs, 117, "Product Home Page..."},
      {qs, 118, "Starts you default Web Browser to visit Product Home page."},
      {qs, 119, "Product Support..."},
      {qs, 120, "Starts you default Web Browser to visit Product Support page."},
      {qs, 122, "Save As"},
      {qs, 131, "View"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.module[c.index], c.text) << c.index << " " << c.text;
  // The copyright line takes the year through its one "%s"; the start page question names
  // the page through its one "%s", in double quotes, on two lines.
  EXPECT_NE(qs[11].find("%s"), std::string::npos);
  EXPECT_EQ(qs[11].find('%'), qs[11].rfind('%'));
  EXPECT_NE(bv[0].find("\"%s\""), std::string::npos);
  EXPECT_NE(bv[0].find("\\n"), std::string::npos);
}

TEST_F(MLS, SetLanguageZeroLoadsEnglishOnceAndTheCaptionClientComesFirst) {
  TCountingClient client;
  MLSManager->AddClient<&TCountingClient::Changed>(&client);
  MLSManager->AddClient<&TCountingClient::Changed>(&client);  // a second time: kept once
  InformationCaption = "stale";
  EXPECT_TRUE(VoiceMailStrings->Strings[16].empty());  // nothing before the first load
  MLSManager->SetLanguage(0);
  EXPECT_EQ(MLSManager->Language, 4);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "Send");
  EXPECT_EQ(client.Calls, 1);
  EXPECT_EQ(client.CaptionSeen, "Information");  // the captions were already updated
  EXPECT_EQ(ConfirmationCaption, "Confirmation");
  EXPECT_EQ(ErrorCaption, "Error");
  // The same language again: no reload (a text changed since stays) and no notification.
  VoiceMailStrings->Strings[16] = "changed";
  MLSManager->SetLanguage(0);
  MLSManager->SetLanguage(4);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "changed");
  EXPECT_EQ(client.Calls, 1);
  // A second handler of the same object is a registration of its own.
  MLSManager->AddClient<&TCountingClient::AlsoChanged>(&client);
  MLSManager->ChangeLanguage(4);
  EXPECT_EQ(client.Calls, 3);
  MLSManager->RemoveClient<&TCountingClient::Changed>(&client);
  MLSManager->RemoveClient<&TCountingClient::AlsoChanged>(&client);
  MLSManager->ChangeLanguage(4);
  EXPECT_EQ(client.Calls, 3);
}

TEST_F(MLS, OnlyTheResourcesGiveEnglishAndNoReport) {
  EXPECT_EQ(MLSManager->GetAvailableLanguages(), English);
  EXPECT_EQ(MLSManager->GetDefaultLanguage(), 4);
  EXPECT_EQ(GetFileAttributesA((TestProgramFolder() + "MLSReport.txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(MLS, GermanForThreeModulesOfFourIsNotAvailableAndReported) {
  PutGerman(ProgramModuleFolder(), "SoundRec");
  // An existing report keeps what else it holds.
  std::string report = TestProgramFolder() + "MLSReport.txt";
  WritePrivateProfileStringA("Other", "Key", "kept", report.c_str());
  EXPECT_EQ(MLSManager->GetAvailableLanguages(), English);
  EXPECT_EQ(SoundRecStrings->GetAvailableLanguages(), English);
  EXPECT_EQ(VoiceMailStrings->GetAvailableLanguages(), English | German);
  for (const TModuleInfo& m : TestModules) {
    bool soundRec = std::string(m.Name) == "SoundRec";
    EXPECT_EQ(ReportValue("Present Languages", m.Name), soundRec ? "enu" : "deu, enu") << m.Name;
    EXPECT_EQ(ReportValue("Missing Languages", m.Name), soundRec ? "deu" : "(absent)") << m.Name;
  }
  char kept[16];
  GetPrivateProfileStringA("Other", "Key", "", kept, sizeof kept, report.c_str());
  EXPECT_STREQ(kept, "kept");
}

TEST_F(MLS, GermanFilesLoadAndTheProgramFolderWins) {
  PutGerman(SharedModuleFolder());
  PutModule(ProgramModuleFolder(), "VoiceMail_DEU.mls", "VoiceMail", "deu", 48, "program");
  EXPECT_EQ(MLSManager->GetAvailableLanguages(), English | German);
  std::string path;
  ASSERT_TRUE(VoiceMailStrings->FindModuleFile(3, path));
  EXPECT_EQ(lstrcmpiA(path.c_str(), (ProgramModuleFolder() + "\\VoiceMail_deu.mls").c_str()), 0)
      << path;
  ASSERT_TRUE(SoundRecStrings->FindModuleFile(3, path));
  EXPECT_EQ(path, SharedModuleFolder() + "\\SoundRec_deu.mls");
  EXPECT_FALSE(SoundRecStrings->FindModuleFile(7, path));
  EXPECT_EQ(path, "SoundRec_fra.mls");

  MLSManager->SetLanguage(3);
  EXPECT_EQ(MLSManager->Language, 3);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "program 16");
  EXPECT_EQ(SoundRecStrings->Strings[23], "deu 23");
  EXPECT_EQ(qsSharedStrings->Strings[231], "deu 231");
  EXPECT_EQ(ErrorCaption, "deu 21");
  MLSManager->SetLanguage(0);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "Send");
  EXPECT_EQ(ErrorCaption, "Error");
}

TEST_F(MLS, MissingFileFailsWithTheSearchedFoldersAndEndsInEnglish) {
  TCountingClient client;
  MLSManager->AddClient<&TCountingClient::Changed>(&client);
  try {
    MLSManager->SetLanguage(3);
    FAIL() << "no exception";
  } catch (const EMLSException& e) {
    EXPECT_EQ(std::string(e.what()),
              "Failed to load MLS module: \"qsShared_deu.mls\" \r\n"
              "(Error Code MLS260)\r\n"
              "\r\n"
              "Searched folders:\r\n"
              "   " +
                  ProgramModuleFolder() +
                  "\r\n"
                  "   " +
                  SharedModuleFolder());
  }
  EXPECT_EQ(MLSManager->Language, 3);
  EXPECT_EQ(client.Calls, 0);
  MLSManager->SetLanguage(MLSManager->GetDefaultLanguage());
  EXPECT_EQ(MLSManager->Language, 4);
  EXPECT_EQ(client.Calls, 1);
  EXPECT_EQ(SoundRecStrings->Strings[23], "Stop");
}

TEST_F(MLS, FolderNamesInTheMessageAreShownAsTheyAre) {
  // Folders whose names begin with "n" after a backslash are not broken into lines.
  MLSFolder = "C:\\new\\mls";
  SharedMLSFolder = "C:\\Program Files\\nowhere\\MLS";
  try {
    VoiceMailStrings->LoadLanguage(7);
    FAIL() << "no exception";
  } catch (const EMLSException& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("\"VoiceMail_fra.mls\" \r\n"), std::string::npos) << message;
    EXPECT_NE(message.find("\r\n   C:\\new\\mls\r\n   C:\\Program Files\\nowhere\\MLS"),
              std::string::npos)
        << message;
  }
}

TEST_F(MLS, DamagedFileStopsTheLoadAtThatModule) {
  PutGerman(SharedModuleFolder(), "bvShared");
  PutModule(SharedModuleFolder(), "bvShared_deu.mls", "bvShared", "deu", 19, "short");
  TCountingClient client;
  MLSManager->AddClient<&TCountingClient::Changed>(&client);
  try {
    MLSManager->SetLanguage(3);
    FAIL() << "no exception";
  } catch (const EMLSException& e) {
    EXPECT_STREQ(e.what(), "Invalid MLS Module format.\r\n(Error Code MLS253)");
  }
  EXPECT_EQ(qsSharedStrings->Strings[5], "deu 5");  // loaded before the damaged one
  EXPECT_EQ(bvSharedStrings->Strings[5], "");       // count refused before any string
  EXPECT_EQ(VoiceMailStrings->Strings[5], "");      // never reached
  EXPECT_EQ(client.Calls, 0);
}

TEST_F(MLS, EmptyCaptionEntryFallsBackToItsEnglishWord) {
  PutGerman(SharedModuleFolder(), "qsShared");
  PutModule(SharedModuleFolder(), "qsShared_deu.mls", "qsShared", "deu", 232, "deu",
            {{8, "Best\xE4tigung"}, {21, "Fehler"}, {32, ""}});
  MLSManager->SetLanguage(3);
  EXPECT_EQ(ConfirmationCaption, "Best\xE4tigung");
  EXPECT_EQ(InformationCaption, "Information");
  EXPECT_EQ(ErrorCaption, "Fehler");
}

TEST(LanguageSetting, LowByteOfTheTableOrTheUserDefault) {
  const char* name = "Dorar Adar";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Brevilo\\MLS", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            0);
  qsMLSStartUp();
  struct {
    DWORD type;
    DWORD value;
    uint8_t language;
  } cases[] = {
      {REG_DWORD, 3, 3},   {REG_DWORD, 0x103, 3},  // low 8 bits
      {REG_DWORD, 0, 4},   {REG_DWORD, 0x100, 4},  // 0: the user's default (enu here)
      {REG_DWORD, 20, 4},  {REG_DWORD, 255, 4},    // outside the table: as if none
      {REG_SZ, 0x0033, 4},                         // the text "3": not a number value
  };
  for (const auto& c : cases) {
    RegSetValueExA(key, name, 0, c.type, reinterpret_cast<const BYTE*>(&c.value),
                   c.type == REG_SZ ? 2 : sizeof c.value);
    EXPECT_EQ(ReadLanguageSetting(name), c.language) << c.type << " " << c.value;
  }
  RegDeleteValueA(key, name);
  EXPECT_EQ(ReadLanguageSetting(name), 4);
  WriteLanguageSetting(name, 12);
  DWORD type = 0, value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 12u);
  EXPECT_EQ(ReadLanguageSetting(name), 12);
  RegDeleteValueA(key, name);
  RegCloseKey(key);
  qsMLSShutDown();
}
