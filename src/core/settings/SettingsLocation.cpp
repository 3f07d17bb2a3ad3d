#include "core/settings/SettingsLocation.h"

#include <utility>

#include "core/program/ProgramPaths.h"

namespace core {
namespace {

bool StartsWithBackslash(std::string_view text) {
  return !text.empty() && text.front() == '\\';
}
bool EndsWithBackslash(std::string_view text) {
  return !text.empty() && text.back() == '\\';
}

void PrefixBackslash(std::string& text) {
  if (!StartsWithBackslash(text)) text.insert(0, 1, '\\');
}

void SuffixBackslash(std::string& text) {
  if (!EndsWithBackslash(text)) text += '\\';
}

// AppDataPath begins with a backslash, so a folder given with one ("C:\") would double it.
std::string WithoutTrailingBackslash(std::string folder) {
  while (EndsWithBackslash(folder)) folder.pop_back();
  return folder;
}

}  // namespace

std::string_view RootName(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

SettingsLocation::SettingsLocation(SettingsPlaces& places, SettingsLogFn log)
    : places_(places), log_(std::move(log)) {}

std::string SettingsLocation::SubKey() const {
  std::string_view key = properties_.RegKeyName;
  while (StartsWithBackslash(key)) key.remove_prefix(1);
  return std::string(key);
}

RegistryRoot SettingsLocation::Root() const {
  return properties_.AllUsers ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser;
}

bool SettingsLocation::Forced() const {
  return !properties_.ForceRegKey.empty() || !properties_.ForceIniFile.empty();
}

const std::string& SettingsLocation::ProgramPath() {
  if (!programPath_) programPath_ = places_.ProgramPath();
  return *programPath_;
}

void SettingsLocation::ResolvePaths() {
  SettingsProperties& p = properties_;
  if (p.IniFileName.empty()) p.IniFileName = ChangeExtension(ProgramPath(), ".ini");
  if (!p.CompanyName.empty()) SuffixBackslash(p.CompanyName);
  if (p.SettingsPath.empty()) p.SettingsPath = p.CompanyName + BaseNameOf(ProgramPath());
  PrefixBackslash(p.SettingsPath);
  if (p.RegKeyName.empty()) p.RegKeyName = "\\Software" + p.SettingsPath;
  PrefixBackslash(p.RegKeyName);
  if (p.AppDataPath.empty()) p.AppDataPath = p.SettingsPath;
  SuffixBackslash(p.AppDataPath);
  PrefixBackslash(p.AppDataPath);
  if (!p.ForceRegKey.empty()) {
    p.UseIni = false;
    p.RegKeyName = p.ForceRegKey;
    PrefixBackslash(p.RegKeyName);
  }
  if (!p.ForceIniFile.empty()) {
    p.UseIni = true;
    iniPath_ = p.ForceIniFile;
  }
  if (foldersResolved_) return;
  foldersResolved_ = true;
  const auto common = places_.SpecialFolderPath(SpecialFolder::CommonAppData);
  allUsersPath_ = common ? WithoutTrailingBackslash(*common) + p.AppDataPath : std::string();
  const auto user = places_.SpecialFolderPath(SpecialFolder::UserAppData);
  userPath_ = user ? WithoutTrailingBackslash(*user) + p.AppDataPath : FolderOf(ProgramPath());
}

void SettingsLocation::FindGetLocation() {
  ResolvePaths();
  if (Forced()) return;
  SettingsProperties& p = properties_;
  const auto iniFound = [&](const std::string& folder) {
    iniPath_ = folder + p.IniFileName;
    if (places_.FileExists(iniPath_)) return true;
    log_("FindGetLocation: " + iniPath_ + " not found");
    return false;
  };
  if (iniFound(userPath_)) {
    p.UseIni = true;
    p.AllUsers = false;
    return;
  }
  if (iniFound(allUsersPath_)) {
    p.UseIni = true;
    p.AllUsers = true;
    return;
  }
  p.UseIni = false;
  for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
    if (KeyOpens(root, KeyOpening::ExistingOnly)) {
      p.AllUsers = root == RegistryRoot::LocalMachine;
      return;
    }
    log_("FindGetLocation: " + std::string(RootName(root)) + p.RegKeyName + " not found");
  }
  // Nothing anywhere: the per-user key, which the first save creates.
  p.AllUsers = false;
}

void SettingsLocation::FindSaveLocation() {
  ResolvePaths();
  staleFiles_.clear();
  staleKey_.reset();
  if (Forced()) return;
  SettingsProperties& p = properties_;
  const std::string userIni = userPath_ + p.IniFileName;
  const std::string allUsersIni = allUsersPath_ + p.IniFileName;
  if (p.UseIni && p.AllUsers) {
    if (!CheckAllUsersPath()) return;
    iniPath_ = allUsersIni;
    NoteStaleFile(userIni);
    return;
  }
  if (p.UseIni) {
    if (CheckUserPath()) iniPath_ = userIni;
    return;
  }
  if (p.AllUsers) {
    if (KeyOpens(RegistryRoot::LocalMachine, KeyOpening::CreateIfMissing)) {
      staleKey_ = RegistryRoot::CurrentUser;
    } else {
      p.AllUsers = false;
      log_("FindSaveLocation: Cannot open HKEY_LOCAL_MACHINE" + p.RegKeyName);
    }
  }
  if (!p.AllUsers && !KeyOpens(RegistryRoot::CurrentUser, KeyOpening::CreateIfMissing)) {
    // The per-user ini file, prepared like any per-user ini choice: the path left over from the
    // search may be the all-users file, whose folder nobody has checked.
    p.UseIni = true;
    log_("FindSaveLocation: Cannot open HKEY_CURRENT_USER" + p.RegKeyName);
    if (CheckUserPath()) iniPath_ = userIni;
    return;
  }
  NoteStaleFile(userIni);
  NoteStaleFile(allUsersIni);
}

void SettingsLocation::RemoveStaleCopies() {
  for (const std::string& path : staleFiles_) {
    if (places_.FileExists(path)) places_.RemoveFile(path);
  }
  if (staleKey_) places_.RemoveKey(*staleKey_, SubKey());
  staleFiles_.clear();
  staleKey_.reset();
}

bool SettingsLocation::CheckUserPath() {
  ResolvePaths();
  return CheckFolder(userPath_);
}

bool SettingsLocation::CheckAllUsersPath() {
  ResolvePaths();
  return CheckFolder(allUsersPath_);
}

bool SettingsLocation::CheckFolder(const std::string& folder) {
  // No folder means the system could not name the base folder: saving to a file relative to
  // whatever the current directory is would not be found again, so that is a failure too.
  if (folder.empty()) {
    log_(CouldNotCreate(properties_.AppDataPath));
    return false;
  }
  const auto failed = MakeFolderAndParent(places_, folder);
  if (failed) log_(CouldNotCreate(*failed));
  return !failed;
}

bool SettingsLocation::KeyOpens(RegistryRoot root, KeyOpening opening) {
  return places_.OpenKey(root, SubKey(), opening) != nullptr;
}

void SettingsLocation::NoteStaleFile(const std::string& path) {
  staleFiles_.push_back(path);
}

}  // namespace core
