#pragma once

#include <string>

namespace kyr {

// Screens and EXD tables on the clipboard: their project text, bytes in the PC code page.
// The exact bytes travel in a format of the program's own; other programs see the text.
void putProjectText(const std::string& bytes);
// The program's own bytes when the clipboard holds them, else its plain text in the PC code
// page; empty when it holds no text.
std::string takeProjectText();
bool clipboardHasText();

}  // namespace kyr
