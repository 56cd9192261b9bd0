#include "platform/UnloadAll.h"

#include "platform/Forms.h"

#include <cstdio>

namespace glaze {

void UnloadAllForms(bool force) {
    const auto& forms = LoadedForms();
    for (size_t i = forms.size(); i-- > 0;) {
        if (i < forms.size()) {
            forms[i]->Unload();
        }
        if (!force && forms.size() > i) {
            return;
        }
    }
    if (forms.empty() || force) {
        _fcloseall();
    }
    if (!forms.empty() || force) {
        ExitProcess(0);
    }
}

} // namespace glaze
