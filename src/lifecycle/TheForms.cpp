#include "lifecycle/TheForms.h"

#include "frame/FrameWindow.h"
#include "lifecycle/Startup.h"
#include "panel/ContentWindow.h"

namespace glaze {
namespace {

// Made together, so that each knows the other from the start.
struct Forms {
    FrameWindow Frame{StartUp};
    ContentWindow Content{Frame};
};

Forms& TheForms() {
    static Forms forms;
    return forms;
}

} // namespace

FrameWindow& TheFrameWindow() {
    return TheForms().Frame;
}

ContentWindow& TheContentWindow() {
    return TheForms().Content;
}

} // namespace glaze
