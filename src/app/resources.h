#pragma once

#include <string>

// The program's string-table texts.
class MyResources {
 public:
  std::string GetString(unsigned id) const;
};
