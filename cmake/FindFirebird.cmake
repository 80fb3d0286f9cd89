# Firebird client library with the object API (firebird/Interface.h) -> Firebird::Firebird
find_path(Firebird_INCLUDE_DIR firebird/Interface.h PATH_SUFFIXES firebird/.. )
find_library(Firebird_LIBRARY NAMES fbclient)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Firebird REQUIRED_VARS Firebird_LIBRARY Firebird_INCLUDE_DIR)
if(Firebird_FOUND AND NOT TARGET Firebird::Firebird)
  add_library(Firebird::Firebird UNKNOWN IMPORTED)
  set_target_properties(Firebird::Firebird PROPERTIES
    IMPORTED_LOCATION ${Firebird_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${Firebird_INCLUDE_DIR})
endif()
