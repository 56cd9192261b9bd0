#pragma once
// The two forms of every process: the frame window and the content window.

namespace glaze {

class Form1;
class Form2;

Form1& TheForm1();
Form2& TheForm2();

} // namespace glaze
