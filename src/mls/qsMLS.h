// The process's user interface language: the language table, the string modules' base
// class, and the manager that loads every module in one language and tells its clients.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "mls/MLSFormat.h"

// Bit i stands for language index i; only bits 0 to 19 are used.
using TLanguageSet = uint32_t;

constexpr TLanguageSet LanguageBit(int language) {
  return TLanguageSet(1) << language;
}

// The platform's display name and locale identifier of each LanguageCodes entry, filled at
// start-up from the locale list: "(Unknown)" and 0 where no locale has that abbreviation.
extern std::string LanguageNames[MLSLanguageCount];
extern LCID LanguageLCIDs[MLSLanguageCount];

// The module folders, set on first need: the program's folder followed by "mls", and the
// family's shared folder under the program files folder.
extern std::string MLSFolder;
extern std::string SharedMLSFolder;

class TMLSManager;

// One string module (a fixed, numbered list of texts) in the current language.
class TMLSModule {
 public:
  // Registers with MLSManager; the built-in copy (in the program's resources) has the
  // language of the given locale.
  TMLSModule(LCID builtInLocale, const std::string& name);
  virtual ~TMLSModule();
  TMLSModule(const TMLSModule&) = delete;
  TMLSModule& operator=(const TMLSModule&) = delete;

  TLanguageSet AvailableLanguages = 0;
  uint8_t BuiltInLanguage;
  std::string Name;

  // True and the full path when NAME_code.mls is in MLSFolder or else in SharedMLSFolder;
  // false and the bare file name otherwise.
  bool FindModuleFile(uint8_t language, std::string& path);
  // The built-in language and every language that has a module file; computed once.
  TLanguageSet GetAvailableLanguages();
  // Replaces the texts by those of the language: the resource for the built-in language,
  // else the module file. Raises EMLSException when there is none or it is damaged.
  void LoadLanguage(uint8_t language);
  virtual void LoadFromStream(uint8_t language, TMLSStream& stream) = 0;
};

// A module with its fixed number of texts, all empty until the first load.
template <size_t N>
class TMLSStringsModule : public TMLSModule {
 public:
  using TMLSModule::TMLSModule;
  std::string Strings[N];

  void LoadFromStream(uint8_t language, TMLSStream& stream) override {
    TMLSFile reader;
    reader.ReadStrings(language, stream, std::span<std::string>(Strings, N));
  }
};

// A client's handler: a routine of the client object, called with the manager as sender.
using TMLSClientCode = void (*)(void* client, TMLSManager* sender);

class TMLSManager {
 public:
  std::vector<TMLSModule*> Modules;  // registration order, not owned
  uint8_t Language = 0;              // 0 until the first load

  // Loads the language (0: the default one) unless it is the current one.
  void SetLanguage(uint8_t language);
  // Loads every module in the language, then notifies the clients. The first failure
  // stops the loop; Language keeps the new value.
  void ChangeLanguage(uint8_t language);
  // The modules' common built-in language; 0 when they disagree or there are none.
  uint8_t GetDefaultLanguage();
  // The languages that every module has (writes the report first).
  TLanguageSet GetAvailableLanguages();

  // Registers the client's method Handler; a second registration of the same object with
  // the same method is ignored.
  template <auto Handler, class T>
  void AddClient(T* client) {
    AddClient(client, &CallClient<Handler, T>);
  }
  template <auto Handler, class T>
  void RemoveClient(T* client) {
    RemoveClient(client, &CallClient<Handler, T>);
  }
  void AddClient(void* client, TMLSClientCode code);
  void RemoveClient(void* client, TMLSClientCode code);
  void NotifyClients();

  // Lists each module's present and missing languages in MLSReport.txt beside the
  // program, only when that file exists.
  void WriteReport();

 private:
  template <auto Handler, class T>
  static void CallClient(void* client, TMLSManager* sender) {
    (static_cast<T*>(client)->*Handler)(sender);
  }
  struct TClientRecord {
    void* Client;
    TMLSClientCode Code;
  };
  std::vector<TClientRecord> Clients;
  uint8_t DefaultLanguage = 0;
  TLanguageSet AvailableSet = 0;
};

extern TMLSManager* MLSManager;

// Unit start and end: the language table and the manager; modules end before.
void qsMLSStartUp();
void qsMLSShutDown();

// The first language whose locale identifier is the given one; 0 when none.
uint8_t LanguageFromLCID(LCID locale);
// The language of the user's default locale; only an exact locale match counts.
uint8_t UserDefaultLanguage();
// The stored language under HKCU\Software\Brevilo\MLS, or the user's default language when
// none (or no valid one) is stored.
uint8_t ReadLanguageSetting(const std::string& valueName);
void WriteLanguageSetting(const std::string& valueName, uint8_t language);
