#include "lifecycle/TheForms.h"

#include "frame/FrameWindow.h"
#include "panel/ContentWindow.h"

namespace glaze {

FrameWindow& TheFrameWindow() {
    static FrameWindow form;
    return form;
}

ContentWindow& TheContentWindow() {
    static ContentWindow form;
    return form;
}

} // namespace glaze
