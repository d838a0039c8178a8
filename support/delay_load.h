#pragma once
// Libraries the program imports with delayed loading (see cmake/delay_load.cmake) load at the first
// call of one of their functions, unless the program loads them earlier, at a moment when nobody is
// waiting for them. A library or function that cannot be found at that first call stops the program
// through its fatal path, naming both (the failure hook in delay_load.cpp), rather than as an
// exception inside whichever callback made the call.
namespace corvane {

// Loads the library now (it is never freed): the first call of one of its functions then only binds
// that function. If it cannot be loaded now, nothing happens yet: the first call tries again, and
// stops the program if it fails too.
void load_delayed_library(const wchar_t* dll) noexcept;

}  // namespace corvane
