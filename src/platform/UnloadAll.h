#pragma once

namespace glaze {

// Unloads every loaded form, the most recently loaded first. Unless forced, it stops as soon as
// a form stays loaded (refused, or the form whose own unload called this). Forced, or with a
// form left, it closes the program's files and ends the process at once.
void UnloadAllForms(bool force);

} // namespace glaze
