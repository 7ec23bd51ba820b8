# Imported targets for the libraries scripts/build-deps.sh cross-built.
function(sleevory_import name file)
  if(NOT EXISTS "${SLEEVORY_DEPS}/lib/${file}")
    message(FATAL_ERROR "${SLEEVORY_DEPS}/lib/${file} is missing: run scripts/build-deps.sh")
  endif()
  add_library(deps::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(deps::${name} PROPERTIES
    IMPORTED_LOCATION "${SLEEVORY_DEPS}/lib/${file}"
    INTERFACE_INCLUDE_DIRECTORIES "${SLEEVORY_DEPS}/include")
endfunction()

sleevory_import(z libz.a)
sleevory_import(png libpng16.a)
sleevory_import(jpeg libjpeg.a)
sleevory_import(id3 libid3.a)
sleevory_import(gtest libgtest.a)
sleevory_import(gtest_main libgtest_main.a)
sleevory_import(gmock libgmock.a)
set_property(TARGET deps::png APPEND PROPERTY INTERFACE_LINK_LIBRARIES deps::z)
set_property(TARGET deps::id3 APPEND PROPERTY INTERFACE_LINK_LIBRARIES deps::z)
set_property(TARGET deps::gtest_main APPEND PROPERTY INTERFACE_LINK_LIBRARIES deps::gtest)
