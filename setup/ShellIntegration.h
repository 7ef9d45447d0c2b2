// What ties the installed product into Windows: shortcuts, the Uninstall entry, the thumbnail
// extension's registration, the two file types and the notice that associations changed.
#pragma once
#include <functional>
#include <string>

// A shell link to sourceFile named after shortCutName (extension made ".lnk"), working in the
// folder of sourceFile. Raises "%s, ClassID: %s" when the link object cannot be created and
// "Interface not supported" when it lacks an interface; other failures are not reported.
void CreateShortcut(const std::wstring& sourceFile, const std::wstring& shortCutName, const std::wstring& sourceParams);

// Writes the Uninstall entry of the product installed in folder, logging its two lines through
// log. communityUrl is the product's community page.
void WriteUninstallEntry(const std::wstring& folder, const std::wstring& versionText, const std::wstring& communityUrl,
                         const std::function<void(const std::wstring&)>& log);

// Starts "cmd.exe /c regsvr32 /s fileName" in systemFolder, shown, and does not wait.
void StartExtensionRegistration(const std::wstring& systemFolder, const std::wstring& fileName);

// The four keys of one file type under HKEY_CLASSES_ROOT.
void RegisterFileAssociation(const std::wstring& extension, const std::wstring& progId, const std::wstring& caption,
                             const std::wstring& programPath, int iconIndex);

// Tells the shell that file associations changed.
void NotifyAssociationsChanged();
