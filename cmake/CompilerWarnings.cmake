# Warnings every Tavrin target is built with, as an interface target.
add_library(tavrin_warnings INTERFACE)
target_compile_options(tavrin_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<BOOL:${TAVRIN_WARNINGS_AS_ERRORS}>:-Werror>)
target_compile_definitions(tavrin_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_FOREACH QT_NO_KEYWORDS)
