#include "lifecycle/TheForms.h"

#include "frame/Form1.h"
#include "panel/Form2.h"

namespace glaze {

Form1& TheForm1() {
    static Form1 form;
    return form;
}

Form2& TheForm2() {
    static Form2 form;
    return form;
}

} // namespace glaze
