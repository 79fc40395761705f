#include "util/Registry.h"

#include <vector>

namespace {

[[noreturn]] void RaiseRegistryError(LONG code, const std::string& what, const std::string& name) {
  throw ERegistryException(what + " '" + name + "': " + SysErrorMessage(code),
                           static_cast<unsigned long>(code));
}

}  // namespace

TRegistry::TRegistry(HKEY rootKey) : rootKey_(rootKey) {}

TRegistry::~TRegistry() {
  CloseKey();
}

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

HKEY TRegistry::BaseKeyFor(std::string& key) const {
  if (!key.empty() && key[0] == '\\') {
    key.erase(0, 1);
    return rootKey_;
  }
  return currentKey_ ? currentKey_ : rootKey_;
}

std::string TRegistry::PathAfterOpening(const std::string& key, bool relative) const {
  if (relative && currentKey_) return currentPath_ + "\\" + key;
  return key;
}

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
  CloseKey();
  currentKey_ = key;
  currentPath_ = path;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path = key;
  bool relative = path.empty() || path[0] != '\\';
  HKEY base = BaseKeyFor(path);
  HKEY opened = nullptr;
  lastError_ = canCreate ? RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                         : RegOpenKeyExA(base, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
  if (lastError_ != ERROR_SUCCESS) return false;
  ChangeKey(opened, PathAfterOpening(path, relative));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  std::string path = key;
  bool relative = path.empty() || path[0] != '\\';
  HKEY base = BaseKeyFor(path);
  HKEY opened = nullptr;
  lastError_ = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &opened);
  if (lastError_ != ERROR_SUCCESS) return false;
  ChangeKey(opened, PathAfterOpening(path, relative));
  return true;
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string path = key;
  HKEY base = BaseKeyFor(path);
  HKEY opened = nullptr;
  lastError_ = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &opened);
  if (lastError_ != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void TRegistry::CloseKey() {
  if (currentKey_) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::ValueExists(const std::string& name) {
  return currentKey_ && RegQueryValueExA(currentKey_, name.c_str(), nullptr, nullptr, nullptr,
                                         nullptr) == ERROR_SUCCESS;
}

// The type and size of a value; an absent value (or no open key) gives false.
bool TRegistry::QueryValue(const std::string& name, DWORD& type, DWORD& size) const {
  if (!currentKey_) return false;
  LONG rc = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) RaiseRegistryError(rc, "Failed to get data for", name);
  return true;
}

std::string TRegistry::ReadString(const std::string& name) {
  DWORD type = 0, size = 0;
  if (!QueryValue(name, type, size)) return "";
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    RaiseRegistryError(ERROR_DATATYPE_MISMATCH, "Invalid data type for", name);
  std::vector<char> data(size + 1, '\0');
  LONG rc = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size);
  if (rc != ERROR_SUCCESS) RaiseRegistryError(rc, "Failed to get data for", name);
  // The stored text may or may not carry its terminating zero.
  return std::string(data.data());
}

int TRegistry::ReadInteger(const std::string& name) {
  DWORD type = 0, size = 0;
  if (!QueryValue(name, type, size))
    RaiseRegistryError(currentKey_ ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE,
                       "Failed to get data for", name);
  if (type != REG_DWORD || size != sizeof(DWORD))
    RaiseRegistryError(ERROR_DATATYPE_MISMATCH, "Invalid data type for", name);
  DWORD value = 0;
  LONG rc = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size);
  if (rc != ERROR_SUCCESS) RaiseRegistryError(rc, "Failed to get data for", name);
  return static_cast<int>(value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  LONG rc = currentKey_ ? RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(value.c_str()),
                                         static_cast<DWORD>(value.size() + 1))
                        : ERROR_INVALID_HANDLE;
  if (rc != ERROR_SUCCESS) RaiseRegistryError(rc, "Failed to set data for", name);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  LONG rc = currentKey_ ? RegSetValueExA(currentKey_, name.c_str(), 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&data), sizeof data)
                        : ERROR_INVALID_HANDLE;
  if (rc != ERROR_SUCCESS) RaiseRegistryError(rc, "Failed to set data for", name);
}
