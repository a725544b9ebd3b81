#include <string>
#include <vector>

#include "driver/driver.h"

int main(int argc, char** argv) {
  return qz::run_program(std::vector<std::string>(argv, argv + argc));
}
