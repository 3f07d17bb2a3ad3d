#pragma once
// Where the settings live: the per-user ini file, the all-users ini file, the per-user registry
// key or the all-users key. Reading takes the first of these that holds settings; saving prepares
// the chosen place and removes the copies that would be found before it at the next start. That
// is how the user's choice is remembered: there is no record of it elsewhere.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/AppDataFolder.h"
#include "core/settings/RegistryValues.h"

namespace core {

enum class RegistryRoot { CurrentUser, LocalMachine };
enum class SpecialFolder { UserAppData, CommonAppData };  // CSIDL_APPDATA, CSIDL_COMMON_APPDATA
enum class KeyOpening { ExistingOnly, CreateIfMissing };

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE", as the messages name the roots.
std::string_view RootName(RegistryRoot root);

// The outside world as the location search sees it.
class SettingsPlaces : public FolderMaker {
 public:
  // Full path of the program file.
  virtual std::string ProgramPath() = 0;
  // The special folder; nullopt when the system cannot give it.
  virtual std::optional<std::string> SpecialFolderPath(SpecialFolder folder) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Deletes the file; a failure is ignored.
  virtual void RemoveFile(const std::string& path) = 0;
  // Opens `subKey` (no leading backslash) with full access; nullptr when that is not possible.
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subKey,
                                               KeyOpening opening) = 0;
  // Deletes the key, which holds values but no subkeys; a failure is ignored.
  virtual void RemoveKey(RegistryRoot root, const std::string& subKey) = 0;
};

// The store's published properties; empty ones are derived by ResolvePaths.
struct SettingsProperties {
  std::string SettingsPath;  // product path below the vendor folder
  std::string IniFileName;   // without folder
  std::string IniSectionName = "Settings";
  bool UseIni = false;    // else the registry
  bool AllUsers = false;  // else the current user
  std::string CompanyName;
  std::string RegKeyName;  // below the root; begins with a backslash once resolved
  std::string AppDataPath;
  std::string ForceRegKey;   // set: always this key, no search
  std::string ForceIniFile;  // set: always this file, no search
};

using SettingsLogFn = std::function<void(const std::string& message)>;

class SettingsLocation {
 public:
  SettingsLocation(SettingsPlaces& places, SettingsLogFn log);

  SettingsProperties& Properties() { return properties_; }
  const SettingsProperties& Properties() const { return properties_; }
  // The two settings folders, each ending in a backslash (AllUsersPath may be empty), and the
  // ini file in use.
  const std::string& UserPath() const { return userPath_; }
  const std::string& AllUsersPath() const { return allUsersPath_; }
  const std::string& IniPath() const { return iniPath_; }
  // RegKeyName as the system takes it, without the leading backslash.
  std::string SubKey() const;
  // The root of the key in use.
  RegistryRoot Root() const;

  // Derives what is still empty, and the folders once.
  void ResolvePaths();
  // Finds the place that holds settings: per-user ini, all-users ini, per-user key, all-users key.
  void FindGetLocation();
  // Prepares the chosen place and notes the copies that would be found before it.
  void FindSaveLocation();
  // Removes the copies that FindSaveLocation noted. Only after the new place holds the
  // settings: removing them first would lose everything if that write then failed.
  void RemoveStaleCopies();
  // Makes sure the folder (and its parent) exists; logs what cannot be created.
  bool CheckUserPath();
  bool CheckAllUsersPath();

 private:
  bool Forced() const;
  bool CheckFolder(const std::string& folder);
  bool KeyOpens(RegistryRoot root, KeyOpening opening);
  void NoteStaleFile(const std::string& path);
  const std::string& ProgramPath();

  SettingsPlaces& places_;
  SettingsLogFn log_;
  SettingsProperties properties_;
  std::optional<std::string> programPath_;
  std::string userPath_;
  std::string allUsersPath_;
  std::string iniPath_;
  bool foldersResolved_ = false;
  std::vector<std::string> staleFiles_;
  std::optional<RegistryRoot> staleKey_;
};

}  // namespace core
