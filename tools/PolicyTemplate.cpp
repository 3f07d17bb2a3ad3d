// Writes the policy template into a folder: Driftline.admx and en-US/Driftline.adml.

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "core/settings/PolicyTemplate.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: policy_template FOLDER\n";
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    Write(folder / "Driftline.admx", core::PolicyDefinitions());
    Write(folder / "en-US" / "Driftline.adml", core::PolicyTexts());
  } catch (const std::exception& error) {
    std::cerr << "policy_template: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
