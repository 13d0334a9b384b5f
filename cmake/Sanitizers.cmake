# AddressSanitizer and UndefinedBehaviorSanitizer, as an interface target.
add_library(tavrin_sanitizers INTERFACE)
if(TAVRIN_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(tavrin_sanitizers INTERFACE ${_san})
  target_link_options(tavrin_sanitizers INTERFACE ${_san})
endif()
