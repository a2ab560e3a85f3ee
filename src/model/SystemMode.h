#pragma once

namespace kyr {

// System mode: the program was started with the single argument "SYS". It widens the screen
// number range, offers the terminal's system space and changes the memory image; it is set
// once at start-up and read everywhere. Default off.
bool isSystemMode();
void setSystemMode(bool on);

}  // namespace kyr
