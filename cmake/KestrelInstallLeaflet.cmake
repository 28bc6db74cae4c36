# Runs at install time (install(SCRIPT) from KestrelInstall.cmake): every
# language folder the build staged with a copy of the map's script library
# gets a link to the system's copy instead. Under the /usr prefix the link is
# relative, so the package holds no absolute link inside /usr.
#   KESTREL_STAGED_LANGUAGE_DIR     the build's language folder
#   KESTREL_INSTALLED_LANGUAGE_DIR  the same folder below the install prefix
#   KESTREL_SYSTEM_LEAFLET          the system's library folder
file(GLOB staged LIST_DIRECTORIES true "${KESTREL_STAGED_LANGUAGE_DIR}/*/leaflet")
foreach(dir IN LISTS staged)
  get_filename_component(lang_dir "${dir}" DIRECTORY)
  get_filename_component(lang "${lang_dir}" NAME)
  set(installed_lang_dir "${CMAKE_INSTALL_PREFIX}/${KESTREL_INSTALLED_LANGUAGE_DIR}/${lang}")
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    file(RELATIVE_PATH target "${installed_lang_dir}" "${KESTREL_SYSTEM_LEAFLET}")
  else()
    set(target "${KESTREL_SYSTEM_LEAFLET}")
  endif()
  set(link "$ENV{DESTDIR}${installed_lang_dir}/leaflet")
  message(STATUS "Linking: ${link} -> ${target}")
  file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
endforeach()
