#pragma once
// Puts every engine module back to its start values, in the order the modules
// initialise. main() calls it first; every engine test fixture calls it in SetUp.

namespace engine {

void ResetAllModules();

}  // namespace engine
