// The skin message: one private window message by which the skin manager, forms and skinned
// controls talk to each other. The high word of wParam is the command code, the low word its
// argument; lParam and the result depend on the command (0 when a receiver does not handle it).
// Controls send it with their own dispatch to controls without a window and with the platform's
// send to windows. Portable: the codes are plain integers, usable without the Windows headers.
#pragma once
#include <cstdint>

inline constexpr std::uint32_t SM_SKINCOMMAND = 0xA100;

// Command codes (the high word of wParam).
enum TsSkinCommand : std::uint16_t {
  SKIN_LOADED = 1,            // a skin was loaded; lParam the manager
  SKIN_UNLOADED = 2,          // the skin was removed; lParam the manager
  SKIN_REFRESH = 3,           // repaint; lParam the manager
  SKIN_GETPROVIDER = 4,       // a form window answers its form skinner
  SKIN_UPDATEDONE = 6,        // the parent's background became ready
  SKIN_ISSKINNED = 7,         // answered 1 by skinned controls
  SKIN_SETUPDATING = 8,       // argument 1: painting waits
  SKIN_ISPENDING = 10,        // is the parent's background still pending?
  SKIN_ISHALFVISIBLE = 11,
  SKIN_SECTIONUPDATED = 13,   // lParam a section name (const wchar_t*, upper case)
  SKIN_SETSECTION = 15,       // lParam a section name
  SKIN_STOPANIMATION = 16,    // stop fades; lParam the manager when sent by it
  SKIN_BGCHANGED = 17,
  SKIN_INVALIDATE = 18,
  SKIN_REPAINTONMOVE = 19,
  SKIN_PARENTMOVED = 20,
  SKIN_GETBGCOLOR = 21,
  SKIN_SETHALFVISIBLE = 22,
  SKIN_PREPARECACHE = 23,
  SKIN_FADEFRAME = 24,
  SKIN_CONTROLCREATED = 25,
  SKIN_GETSECTIONINFO = 26,
  SKIN_GETMANAGER = 27,
  SKIN_ACTIVATED = 29,
  SKIN_DEACTIVATED = 30,
  SKIN_BEGINUPDATE = 31,
  SKIN_ENDUPDATE = 32,
  SKIN_FREECACHE = 33,
  SKIN_QUERYBACKGROUND = 34,
  SKIN_SKINSTATE = 36,
  SKIN_GETCOMMONDATA = 37,
  SKIN_PRINT = 38,
  SKIN_PAINTOUTER = 40,
  SKIN_BEFORESCROLL = 51,
  SKIN_AFTERSCROLL = 52,
  SKIN_FRAMECHANGED = 53,
  SKIN_GETAPPLICATION = 60,
  SKIN_GETCLIENTOFFSET = 61,
  SKIN_REPAINTFRAME = 62,
  SKIN_GETBOUNDS = 70,
  SKIN_LOADPREVIEW = 71,      // posted to the application window for the manager (skin-editor preview)
};

// wParam of a skin command: the code in the high word, the argument in the low word.
constexpr std::uintptr_t SkinCommandWParam(std::uint16_t code, std::uint16_t argument = 0) {
  return std::uintptr_t(std::uint32_t(code) << 16 | argument);
}
constexpr std::uint16_t SkinCommandCode(std::uintptr_t wParam) { return std::uint16_t((wParam >> 16) & 0xFFFF); }
constexpr std::uint16_t SkinCommandArgument(std::uintptr_t wParam) { return std::uint16_t(wParam & 0xFFFF); }
