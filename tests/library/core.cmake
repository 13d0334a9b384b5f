# A child process the crash test starts and kills; built only for the tests.
add_executable(library_crash_helper CrashHelper.cpp)
target_link_libraries(library_crash_helper PRIVATE tavrin_library tavrin_settings)

tavrin_test(library_store_tests
  SOURCES BookCodecTest.cpp BookContentsTest.cpp LibraryStoreTest.cpp PreferencesFileTest.cpp CrashTest.cpp
  LIBS tavrin_library)
add_dependencies(library_store_tests library_crash_helper)
target_compile_definitions(library_store_tests
  PRIVATE TAVRIN_CRASH_HELPER="$<TARGET_FILE:library_crash_helper>")
