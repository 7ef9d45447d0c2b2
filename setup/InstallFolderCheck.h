// The check of the install folder as the user typed it, made before anything is installed. A
// folder it accepts is a full path that the system takes as written, below which every installed
// file fits within MAX_PATH, and which the uninstaller will later agree to act on.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "setup/Catalogue.h"

// What is wrong with a folder; tffNone when nothing is. The first fault found, in this order, is
// the one reported.
enum TFolderFault {
  tffNone,
  tffNotAbsolute,      // empty, relative ("Prismatone"), on the current drive ("\Prismatone"),
                       // relative to a drive's current folder ("C:Prismatone"), a "\\?\" or "\\.\" path
  tffBadCharacter,     // < > : " | ? * or a control character, the drive's colon aside
  tffDotOrBlankAtEnd,  // a part ending in "." or " " ("." and ".." among them)
  tffReservedName,     // a part named as a device (CON, NUL, COM1, LPT1.txt...)
  tffTooLong,          // the folder and its longest installed file reach MAX_PATH
  tffThisMachine,      // a network path to this computer ("\\localhost\C$\...")
  tffDriveRoot,        // a drive's root or a share's root
  tffSystemFolder,     // a protected folder, one that holds one, or one inside the Windows folder
};

// The longest name the install creates below the folder, its leading "\" included: the
// catalogue's rows, the uninstaller (which the Uninstall entry names) among them.
std::size_t LongestInstalledName(const TPayloadTable& payloadFiles);

// Checks folder as typed, with the longest name to be created below it. protectedFolders,
// windowsFolder and ownNames are the system's folders and the computer's names as the
// uninstaller's CheckInstallFolder takes them.
TFolderFault CheckFolderToInstall(std::wstring_view folder, std::size_t longestInstalledName,
                                  const std::vector<std::wstring>& protectedFolders, std::wstring_view windowsFolder,
                                  const std::vector<std::wstring>& ownNames);

// The sentence shown to the user for a fault; empty for tffNone.
std::wstring FolderFaultText(TFolderFault fault);
