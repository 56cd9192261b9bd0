#include "lifecycle/ProcessValues.h"

namespace glaze {

ProcessValues Process;

} // namespace glaze
