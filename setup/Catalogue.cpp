#include "setup/Catalogue.h"

TPayloadTable PayloadFiles;
TPayloadTable SystemFiles;

void FillPayloadCatalogue(bool bool64bit) {
  PayloadFiles[0] = {L"bass", L"bass.dll", L""};
  PayloadFiles[1] = {L"basswasapi", L"basswasapi.dll", L""};
  PayloadFiles[2] = {L"Prismatone", L"Prismatone.exe", L""};
  PayloadFiles[3] = {L"launch_newinstance", L"launch_newinstance.bat", L""};
  PayloadFiles[4] = {L"Prismatone_uninstall", L"Prismatone_uninstall.exe", L""};
  SystemFiles[0] = bool64bit ? Tfile{L"PTThumbnail64", L"PTThumbnail64.dll", L""} : Tfile{L"PTThumbnail32", L"PTThumbnail32.dll", L""};
}
