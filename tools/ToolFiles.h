// What the build tools share: whole-file reads and writes that throw with the path in the
// message, and a main() wrapper that prints "tool: message" for any exception and exits with 1.
#pragma once
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

inline std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return data;
}

inline void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

// Runs run() and turns an exception into the tool's error line and exit code 1.
template <class Run>
int RunTool(const char* name, Run run) {
  try {
    return run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
    return 1;
  }
}

}  // namespace tools
