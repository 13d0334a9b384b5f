# Warnings every Tavrin target is built with, as an interface target.
add_library(tavrin_warnings INTERFACE)
target_compile_options(tavrin_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<BOOL:${TAVRIN_WARNINGS_AS_ERRORS}>:-Werror>
  # GCC 12 reports impossible overlaps in std::string concatenation at -O3 (GCC bug 105651).
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_GREATER_EQUAL:$<CXX_COMPILER_VERSION>,12>>:-Wno-restrict>)
target_compile_definitions(tavrin_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_FOREACH QT_NO_KEYWORDS)
