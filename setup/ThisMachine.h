// Whether a network path's host names this computer. A share reached that way ("\\localhost\C$")
// is a local folder under another spelling, which a check of the spelling alone would let pass.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// True for "localhost", for a loopback or unspecified IPv4 address in any form the system's
// resolver reads (127.0.0.1, 127.1, 0x7f000001, 2130706433, 0.0.0.0), for the same in IPv6 as a
// UNC host spells it ("0--1.ipv6-literal.net" for ::1, mapped IPv4 addresses included), and for
// any of ownNames, the computer's own names; letter case does not matter.
bool NamesThisMachine(std::wstring_view host, const std::vector<std::wstring>& ownNames);
