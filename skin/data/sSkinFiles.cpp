#include "skin/data/sSkinFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "framework/Exception.h"
#include "framework/Utf.h"
#include "skin/data/sSkinPack.h"

namespace fs = std::filesystem;

namespace {
#ifdef _WIN32
fs::path ToFsPath(const std::wstring& path) { return fs::path(path); }
std::wstring FromFsName(const fs::path& name) { return name.wstring(); }
#else
// Windows paths on a case-sensitive file system: "\" becomes "/", and a component whose exact
// name does not exist takes the first entry of its folder that matches it ignoring case.
fs::path ToFsPath(const std::wstring& path) {
  std::wstring s = path;
  std::replace(s.begin(), s.end(), L'\\', L'/');
  fs::path result = (!s.empty() && s[0] == L'/') ? fs::path("/") : fs::path();
  std::size_t start = 0;
  while (start <= s.size()) {
    std::size_t end = s.find(L'/', start);
    if (end == std::wstring::npos) end = s.size();
    const std::wstring part = s.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    fs::path next = result / WideToUtf8(part);
    std::error_code ec;
    if (part != L"." && part != L".." && !fs::exists(next, ec)) {
      const std::wstring wanted = UpperCaseAscii(part);
      const fs::path folder = result.empty() ? fs::path(".") : result;
      for (fs::directory_iterator it(folder, ec), endIt; !ec && it != endIt; it.increment(ec)) {
        const std::wstring name = Utf8ToWide(it->path().filename().string());
        if (UpperCaseAscii(name) == wanted) {
          next = result / it->path().filename();
          break;
        }
      }
    }
    result = next;
  }
  return result;
}
std::wstring FromFsName(const fs::path& name) { return Utf8ToWide(name.string()); }
#endif

bool EndsWithSeparator(const std::wstring& s) { return !s.empty() && (s.back() == L'\\' || s.back() == L'/'); }

// Case-insensitive order of skin names (ties broken by the exact text so the order is total).
bool SkinNameLess(const std::wstring& a, const std::wstring& b) {
  const std::wstring ua = UpperCaseAscii(a), ub = UpperCaseAscii(b);
  return ua != ub ? ua < ub : a < b;
}

std::wstring CollectSkinNames(TStringList& list, TsSkinTypes kind, const std::wstring& skinDirectory,
                              const std::wstring& programFolder, const TsStoredSkins* internalSkins) {
  std::wstring first;
  list.Clear();
  std::vector<std::wstring> scratch;
  auto add = [&](std::wstring name) {
    if (first.empty()) first = name;
    scratch.push_back(std::move(name));
  };
  if (internalSkins)
    for (const auto& skin : *internalSkins) add(skin.Name);
  const std::wstring dir = GetFullSkinDirectory(skinDirectory, programFolder);
  if (SkinDirectoryExists(dir)) {
    for (const auto& entry : ListSkinDirectory(dir)) {
      if (entry.Name.empty() || entry.Name[0] == L'.') continue;
      if (entry.IsFolder) {
        if ((kind == TsSkinTypes::stUnpacked || kind == TsSkinTypes::stAllSkins) &&
            SkinFileExists(dir + L"\\" + entry.Name + L"\\Options.dat"))
          add(entry.Name);
      } else if (kind == TsSkinTypes::stPacked || kind == TsSkinTypes::stAllSkins) {
        const std::size_t lastDot = entry.Name.rfind(L'.');
        if (lastDot != std::wstring::npos && entry.Name.compare(lastDot, std::wstring::npos, L".asz") == 0)
          add(entry.Name.substr(0, entry.Name.find(L'.')));
      }
    }
  }
  std::stable_sort(scratch.begin(), scratch.end(), SkinNameLess);
  for (auto& name : scratch) list.Add(std::move(name));
  return first;
}
}  // namespace

bool SkinFileExists(const std::wstring& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(ToFsPath(path), ec);
}

bool SkinDirectoryExists(const std::wstring& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(ToFsPath(path), ec);
}

bool SkinForceDirectories(const std::wstring& path) {
  if (path.empty()) return false;
  std::error_code ec;
  const fs::path p = ToFsPath(path);
  fs::create_directories(p, ec);
  return fs::is_directory(p, ec);
}

std::vector<std::uint8_t> ReadSkinFile(const std::wstring& path) {
  std::ifstream in(ToFsPath(path), std::ios::binary);
  if (!in) throw Exception(L"Cannot open file \"" + path + L"\"");
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Exception(L"Cannot open file \"" + path + L"\"");
  return data;
}

void WriteSkinFile(const std::wstring& path, const std::vector<std::uint8_t>& data) {
  std::ofstream out(ToFsPath(path), std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out) throw Exception(L"Cannot create file \"" + path + L"\"");
}

std::vector<TSkinDirEntry> ListSkinDirectory(const std::wstring& path) {
  std::vector<TSkinDirEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(ToFsPath(path), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    entries.push_back({FromFsName(it->path().filename()), it->is_directory(typeError)});
  }
  return entries;
}

std::wstring AddSkinDirSeparator(const std::wstring& dir) {
  if (dir.empty() || dir.back() == L'\\') return dir;
  if (dir.back() == L'/') return dir.substr(0, dir.size() - 1) + L"\\";
  return dir.size() == 1 ? dir + L":\\" : dir + L"\\";
}

std::wstring GetFullSkinDirectory(const std::wstring& skinDirectory, const std::wstring& programFolder) {
  const std::wstring& d = skinDirectory;
  const std::wstring& p = programFolder;
  if (d.rfind(L"..", 0) == 0) {
    // The parent of the program's folder, with its separator.
    std::wstring parent = p.empty() ? std::wstring() : p.substr(0, p.size() - 1);
    while (!parent.empty() && !EndsWithSeparator(parent)) parent.pop_back();
    return parent + (d.size() > 3 ? d.substr(3) : std::wstring());
  }
  if (d.rfind(L".\\", 0) == 0 || d.rfind(L"./", 0) == 0) return p + d.substr(2);
  if (d == L".") return p;
#ifndef _WIN32
  // Native builds only: a POSIX absolute path is used as it is.
  if (!d.empty() && d[0] == L'/') return d;
#endif
  if (d.find(L':') == std::wstring::npos && d.find(L"\\\\") == std::wstring::npos) return p + d;
  return d;
}

std::wstring StripPackageSuffix(const std::wstring& skinName) {
  if (skinName.size() > 4 && UpperCaseAscii(skinName.substr(skinName.size() - 4)) == L".ASZ")
    return skinName.substr(0, skinName.size() - 4);
  return skinName;
}

TsSkinSource ResolveSkinSource(const std::wstring& skinName, const std::wstring& skinDirectory,
                               const std::wstring& programFolder, const TsStoredSkins& internalSkins) {
  TsSkinSource source;
  source.SkinName = StripPackageSuffix(skinName);
  const std::wstring fullDir = GetFullSkinDirectory(skinDirectory, programFolder);
  // The package candidate uses the directory as stored, not resolved.
  const std::wstring package = AddSkinDirSeparator(skinDirectory) + source.SkinName + L".asz";
  if (SkinFileExists(package)) {
    source.Kind = TsSkinSourceKind::ssPackageFile;
    source.PackageFile = package;
    source.SkinPath = fullDir + L"\\";
    return source;
  }
  source.SkinPath = fullDir + L"\\" + source.SkinName + L"\\";
  if (SkinFileExists(source.SkinPath + L"Options.dat")) {
    source.Kind = TsSkinSourceKind::ssFolder;
    return source;
  }
  source.SkinPath.clear();
  if (internalSkins.empty()) return source;  // ssNone
  int index = internalSkins.IndexOf(source.SkinName);
  if (index < 0) {
    index = 0;
    source.SkinName = internalSkins[0].Name;
  }
  source.Kind = TsSkinSourceKind::ssInternal;
  source.InternalIndex = index;
  return source;
}

std::wstring GetSkinNames(TStringList& list, TsSkinTypes kind, const std::wstring& skinDirectory,
                          const std::wstring& programFolder, const TsStoredSkins& internalSkins) {
  return CollectSkinNames(list, kind, skinDirectory, programFolder, &internalSkins);
}

std::wstring GetExternalSkinNames(TStringList& list, TsSkinTypes kind, const std::wstring& skinDirectory,
                                  const std::wstring& programFolder) {
  return CollectSkinNames(list, kind, skinDirectory, programFolder, nullptr);
}

std::wstring GetRandomSkin(const std::wstring& skinDirectory, const std::wstring& programFolder,
                           const TsStoredSkins& internalSkins) {
  TStringList list;
  GetSkinNames(list, TsSkinTypes::stAllSkins, skinDirectory, programFolder, internalSkins);
  if (list.Count() == 0) return {};
  std::random_device seed;
  std::mt19937 generator(seed());
  std::uniform_int_distribution<int> pick(0, list.Count() - 1);
  return list[pick(generator)];
}

void ExtractByIndex(const TsStoredSkins& internalSkins, int index, const std::wstring& folder, const TsErrorSink& showError) {
  if (index < 0 || index >= internalSkins.Count()) return;
  const std::wstring dir = AddSkinDirSeparator(folder);
  if (!SkinDirectoryExists(dir) && !SkinForceDirectories(dir)) {
    if (showError) showError(L"Directory " + dir + L" creation error.");
    return;
  }
  const TsStoredSkin& item = internalSkins.Items(index);
  if (item.HasData()) WriteSkinFile(dir + item.Name + L" extracted.asz", item.WriteData());
}

void ExtractInternalSkin(const TsStoredSkins& internalSkins, const std::wstring& skinName, const std::wstring& folder,
                         const TsErrorSink& showError) {
  bool found = false;
  for (int i = 0; i < internalSkins.Count(); ++i) {
    if (internalSkins.Items(i).Name != skinName) continue;
    found = true;
    if (SkinDirectoryExists(folder)) ExtractByIndex(internalSkins, i, folder, showError);
    else if (showError) showError(L"Directory does not exists.");
  }
  if (!found && showError) showError(L"Skin does not exists.");
}
