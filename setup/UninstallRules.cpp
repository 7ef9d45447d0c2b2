#include "setup/UninstallRules.h"

#include "setup/Catalogue.h"
#include "setup/ShellRules.h"
#include "setup/ThisMachine.h"

namespace {

wchar_t FoldChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return wchar_t(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return wchar_t(c + 0x20);    // Latin-1 capitals
  if (c >= 0x410 && c <= 0x42F) return wchar_t(c + 0x20);                // А..Я
  if (c >= 0x400 && c <= 0x40F) return wchar_t(c + 0x50);                // Ѐ..Џ, Ё among them
  return c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring s(text);
  for (auto& c : s) c = FoldChar(c);
  return s;
}

bool StartsWithFolder(const std::wstring& path, const std::wstring& folder) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == L'\\';
}

// Quotes one argument so that the system's command-line splitting gives it back unchanged:
// backslashes before a quote, and at the end, are doubled.
std::wstring QuoteArgument(const std::wstring& arg) {
  std::wstring out = L"\"";
  std::size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The parts of a path after its root ("C:\" or "\\server\share\" counts the server and share as
// parts), without the empty ones that doubled separators leave.
std::vector<std::wstring> PathParts(std::wstring_view path, std::size_t from) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (std::size_t i = from; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += path[i];
    }
  }
  return parts;
}

std::wstring FoldPath(std::wstring_view path) {
  std::wstring s;
  s.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const wchar_t c = IsSeparator(path[i]) ? L'\\' : FoldChar(path[i]);
    // Doubled separators name the same folder; a network path keeps its leading two.
    if (c == L'\\' && i > 1 && !s.empty() && s.back() == L'\\') continue;
    s += c;
  }
  while (s.size() > 1 && s.back() == L'\\') s.pop_back();
  return s;
}

bool SamePath(std::wstring_view a, std::wstring_view b) { return FoldPath(a) == FoldPath(b); }

TFolderSafety CheckInstallFolder(std::wstring_view folder, const std::vector<std::wstring>& protectedFolders,
                                 std::wstring_view windowsFolder, const std::vector<std::wstring>& ownNames) {
  if (folder.size() < 3) return tfsNotAbsolute;
  const bool drive = ((folder[0] | 0x20) >= L'a' && (folder[0] | 0x20) <= L'z') && folder[1] == L':' && IsSeparator(folder[2]);
  const bool unc = IsSeparator(folder[0]) && IsSeparator(folder[1]) && folder[2] != L'?' && folder[2] != L'.';
  if (!drive && !unc) return tfsNotAbsolute;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    const wchar_t c = folder[i];
    if (c < 32 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|') return tfsNotAbsolute;
    if (c == L':' && !(drive && i == 1)) return tfsNotAbsolute;  // a stream name
  }
  const std::vector<std::wstring> parts = PathParts(folder, drive ? 3 : 2);
  for (const auto& part : parts) {
    // The system drops trailing dots and blanks: "C:\Windows." is the Windows folder.
    if (part == L"." || part == L".." || part.back() == L'.' || part.back() == L' ') return tfsNotAbsolute;
  }
  if (unc && !parts.empty() && NamesThisMachine(parts[0], ownNames)) return tfsThisMachine;
  if (parts.size() < (drive ? 1u : 3u)) return tfsDriveRoot;

  const std::wstring own = FoldPath(folder);
  for (const auto& p : protectedFolders) {
    if (p.empty()) continue;
    const std::wstring other = FoldPath(p);
    if (own == other || StartsWithFolder(other, own)) return tfsProtected;
  }
  if (!windowsFolder.empty() && StartsWithFolder(own, FoldPath(windowsFolder))) return tfsInsideWindows;
  return tfsSafe;
}

std::vector<std::wstring> FolderAndAncestors(std::wstring_view folder) {
  std::wstring path(folder);
  while (path.size() > 3 && IsSeparator(path.back())) path.pop_back();
  // The root keeps what cannot be taken away: "C:\" whole, a share with its server.
  std::size_t root = 3;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    const std::size_t server = path.find_first_of(L"\\/", 2);
    const std::size_t share = server == std::wstring::npos ? server : path.find_first_of(L"\\/", server + 1);
    root = share == std::wstring::npos ? path.size() : share;
  }
  std::vector<std::wstring> chain;
  for (;;) {
    chain.push_back(path);
    if (path.size() <= root) return chain;
    std::size_t sep = path.find_last_of(L"\\/");
    if (sep == std::wstring::npos || sep + 1 < root) return chain;
    path.resize(std::max(sep, root));
  }
}

TFileTypeDecision DecideFileType(const TFileTypeState& state, std::wstring_view progId, const std::wstring& programPath) {
  TFileTypeDecision d{false, false};
  if (state.OpenCommand) {
    // Our setup quotes the program; earlier ones wrote it bare. Both start our program.
    const std::wstring command = FoldCase(*state.OpenCommand);
    d.RemoveProgId = command == FoldCase(OpenCommand(programPath)) || command == FoldCase(programPath + L" \"%1\"");
  }
  d.RemoveExtension = d.RemoveProgId && state.ExtensionProgId && FoldCase(*state.ExtensionProgId) == FoldCase(progId);
  return d;
}

std::vector<std::wstring> InstalledFileNames(const TPayloadTable& payloadFiles) {
  // The setup extracts the rows in order, so they are removed from the last to the first.
  std::vector<std::wstring> names;
  for (int i = kPayloadRows - 1; i >= 0; --i) names.push_back(payloadFiles[i].fFold + L"\\" + payloadFiles[i].fFile);
  return names;
}

std::wstring ShortcutPath(const std::wstring& specialFolder) { return LinkFileName(specialFolder + L"\\Prismatone"); }

bool IsOwnShortcutTarget(std::wstring_view target, std::wstring_view folder) {
  const std::size_t sep = target.find_last_of(L"\\/");
  return sep != std::wstring_view::npos && sep + 1 < target.size() && !folder.empty() && SamePath(target.substr(0, sep), folder);
}

int ExitCodeFor(const std::vector<TStepResult>& results) {
  int code = kExitRemoved;
  for (const auto& r : results) {
    if (r.Outcome == tsoFailed) return kExitFailed;
    if (r.Outcome == tsoLeftover) code = kExitLeftovers;
  }
  return code;
}

std::wstring SummaryText(const std::vector<TStepResult>& results) {
  const int code = ExitCodeFor(results);
  std::wstring text = code == kExitRemoved     ? L"Prismatone удалён с компьютера."
                      : code == kExitLeftovers ? L"Prismatone удалён с компьютера, но не полностью:"
                                               : L"Удаление Prismatone завершено с ошибками:";
  for (TStepOutcome kind : {tsoFailed, tsoLeftover}) {
    for (const auto& r : results)
      if (r.Outcome == kind) text += L"\n" + r.Text;
  }
  return text;
}

std::wstring WorkerCommandLine(const std::wstring& program, const TWorkerArgs& args) {
  std::wstring line = QuoteArgument(program) + L" /run " + std::to_wstring(args.ParentHandle) + L" " +
                      std::to_wstring(args.ReportHandle) + L" " + QuoteArgument(args.Folder);
  if (args.Silent) line += L" /S";
  return line;
}

namespace {
// A handle value in decimal: digits only, non-zero, within 64 bits.
std::optional<unsigned long long> HandleNumber(const std::wstring& text) {
  if (text.empty() || text.size() > 19 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return std::nullopt;
  const unsigned long long n = std::stoull(text);
  if (n == 0) return std::nullopt;
  return n;
}
}  // namespace

std::optional<TWorkerArgs> ParseWorkerArgs(const std::vector<std::wstring>& args) {
  if (args.size() < 4 || args.size() > 5 || args[0] != L"/run") return std::nullopt;
  if (args.size() == 5 && args[4] != L"/S") return std::nullopt;
  const auto parent = HandleNumber(args[1]);
  const auto report = HandleNumber(args[2]);
  if (!parent || !report || args[3].empty()) return std::nullopt;
  return TWorkerArgs{*parent, *report, args[3], args.size() == 5};
}

bool HasSilentSwitch(const std::vector<std::wstring>& args) {
  for (const auto& a : args)
    if (a == L"/S" || a == L"/s") return true;
  return false;
}
