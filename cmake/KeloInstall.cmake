# What `cmake --install` puts where, and the Debian package `make package` builds from it.

# Every shared library of the product (the platform's and the module) goes to the private
# folder; the programs find it through their RUNPATH, the libraries find each other beside them.
function(kelo_product_libraries out dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  set(found "")
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
      list(APPEND found ${t})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    if(NOT sub MATCHES "/(tests|bench)(/|$)")
      kelo_product_libraries(more ${sub})
      list(APPEND found ${more})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

kelo_product_libraries(kelo_shared_libraries ${PROJECT_SOURCE_DIR})
file(RELATIVE_PATH kelo_lib_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${KELO_INSTALL_FULL_PKGLIBDIR})
set(kelo_programs kelo-host kelo-tasks kelo-data)
set_target_properties(${kelo_programs} PROPERTIES INSTALL_RPATH "$ORIGIN/${kelo_lib_from_bin}")
set_target_properties(${kelo_shared_libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${kelo_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${kelo_shared_libraries}
        LIBRARY DESTINATION ${KELO_INSTALL_PKGLIBDIR} NAMELINK_SKIP)

# The program folder: Help/Accounts/Tasks.CHM and the window icon for an unregistered tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/
        DESTINATION ${KELO_INSTALL_PKGDATADIR}/Help/Accounts/Tasks.CHM)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/icons/256/kelo-task-manager.png
        DESTINATION ${KELO_INSTALL_PKGDATADIR})

# The desktop's menu entry and its icon in every size.
install(FILES ${PROJECT_SOURCE_DIR}/desktop/kelo-task-manager.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/icons/kelo-task-manager.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
file(GLOB kelo_icon_sizes RELATIVE ${PROJECT_SOURCE_DIR}/desktop/icons
     ${PROJECT_SOURCE_DIR}/desktop/icons/*/kelo-task-manager.png)
foreach(png ${kelo_icon_sizes})
  get_filename_component(size ${png} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/desktop/icons/${png}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# A manual page for each program, made from its --help by help2man.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(kelo_man_names
    "kelo-host=open a Kelo company and its Task Manager"
    "kelo-tasks=print the task lists of a Kelo company"
    "kelo-data=make, inspect and check Kelo company folders")
  set(kelo_man_pages "")
  foreach(entry ${kelo_man_names})
    string(REGEX MATCH "^[^=]+" program "${entry}")
    string(REGEX REPLACE "^[^=]+=" "" summary "${entry}")
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 "--name=${summary}"
              --output=${page} $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${program}
      COMMENT "Manual page for ${program}")
    list(APPEND kelo_man_pages ${page}.gz)
  endforeach()
  add_custom_target(kelo_man ALL DEPENDS ${kelo_man_pages})
  install(FILES ${kelo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man not found: no manual pages (scripts/bootstrap installs it)")
endif()

# make package: a Debian package of the installed tree, its dependencies found by
# dpkg-shlibdeps from what the programs and libraries link (it follows their $ORIGIN RUNPATH to
# the package's own libraries).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelo-task-manager)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kelo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kelo Task Manager: what needs the attention of an accounts office")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "The Task Manager of the Kelo accounts programs: to-do entries, phone call reminders and\n"
  "bills, and the tasks the ledgers hold (accounts due, account status, recurring items,\n"
  "invoices, sales and purchase orders, stock), with kelo-host to open a company, kelo-tasks\n"
  "to print the lists and kelo-data to make and check company folders.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kelo Task Manager developers <tasks@kelo.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time (host/file/LibPq.cpp), so the library scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpq5")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
