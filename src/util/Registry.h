// A small registry class: one root key, at most one open key at a time, closed by
// CloseKey or the destructor. Opening answers with a flag; reading and writing values
// throw ERegistryException with the platform's message.
#pragma once

#include <windows.h>

#include <string>

#include "util/Errors.h"

class ERegistryException : public EOSError {
 public:
  using EOSError::EOSError;
};

class TRegistry {
 public:
  explicit TRegistry(HKEY rootKey = HKEY_CURRENT_USER);
  virtual ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY rootKey);  // closes the open key
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }
  // The platform's code of the last OpenKey, OpenKeyReadOnly or KeyExists.
  LONG LastError() const { return lastError_; }

  // A path that begins with a backslash starts at the root key; any other path is
  // relative to the open key, or to the root key when none is open.
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  bool KeyExists(const std::string& key);
  void CloseKey();

  bool ValueExists(const std::string& name);
  // An absent value (or no open key) reads as an empty text; a value of another
  // type is an error.
  std::string ReadString(const std::string& name);
  // An absent value or one of another type is an error.
  int ReadInteger(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int value);

 protected:
  // The key that a path is opened from, and the path without its leading backslash.
  HKEY BaseKeyFor(std::string& key) const;
  std::string PathAfterOpening(const std::string& key, bool relative) const;
  // Closes the open key and makes `key` the open one.
  void ChangeKey(HKEY key, const std::string& path);
  bool QueryValue(const std::string& name, DWORD& type, DWORD& size) const;

 private:
  HKEY rootKey_;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;

 protected:
  LONG lastError_ = ERROR_SUCCESS;
};
