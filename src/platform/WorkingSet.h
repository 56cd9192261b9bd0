#pragma once

namespace glaze {

// Asks the system to take as many pages as it can out of the process's working set.
void TrimWorkingSet();

} // namespace glaze
