# The platform stands below the module: nothing in host/ may include a header of src/, and the
# tools reach the module only through its scan registry (src/pages/scans, src/app/TaskServices.h).
# Checked at configure time so a wrong include fails the build before anything compiles.
function(kelo_check_layers)
  file(GLOB_RECURSE host_files CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/host/*.cpp ${PROJECT_SOURCE_DIR}/host/*.h)
  file(GLOB_RECURSE tool_files CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h)
  set(bad "")
  foreach(f ${host_files})
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]+[\"<]src/")
    if(hits)
      list(APPEND bad "${f}: ${hits}")
    endif()
  endforeach()
  foreach(f ${tool_files})
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]+[\"<]src/")
    foreach(h ${hits})
      if(NOT h MATCHES "src/pages/scans/|src/app/TaskServices.h")
        list(APPEND bad "${f}: ${h}")
      endif()
    endforeach()
  endforeach()
  if(bad)
    list(JOIN bad "\n  " text)
    message(FATAL_ERROR "Layering: the platform and tools may not include the module:\n  ${text}")
  endif()
endfunction()
