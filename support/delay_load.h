#pragma once
// Libraries the program imports with delayed loading (see cmake/delay_load.cmake) load at the first
// call of one of their functions, unless the program loads them earlier, at a moment when nobody is
// waiting for them.
namespace corvane {

// Loads the library now (it is never freed): the first call of one of its functions then only binds
// that function. A failure changes nothing; that call loads the library as it would have anyway.
void load_delayed_library(const wchar_t* dll) noexcept;

}  // namespace corvane
