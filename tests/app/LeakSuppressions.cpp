// The leak checker ignores what the font configuration library keeps for the life of the
// process once Qt has asked it for fonts.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
